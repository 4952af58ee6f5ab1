#pragma once

#include "effects/row_split.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

// A RowSplit (effects/row_split.h) over the threads lent to it: the thread
// that calls run() and every thread waiting in serve() take bands of rows
// in turn, whichever is free, a step's bands once the step before is done.
// A thread that is late, or busy elsewhere, leaves its bands to the others,
// so that on a loaded machine the team is never slower than one thread by
// much. With none lent, run() takes every step whole.
class RowTeam : public RowSplit {
public:
    void run(int steps, int rows, const Work& work) override;
    // Takes part in every run until stop(): for a thread lent to the team.
    void serve();
    // Lets every serve() return once its bands are done.
    void stop();

private:
    // A run's bands, numbered step by step: band k is step k / bands.
    struct Job {
        const Work* work;
        int rows;
        int bands;
        int total;
        std::atomic<int> taken{0};
        std::atomic<int> done{0};
    };
    static void takeBands(Job& job);

    std::mutex lock;
    std::condition_variable posted;
    std::shared_ptr<Job> job;  // the run under way, or the last one
    uint64_t jobNumber = 0;    // counts the runs posted
    int helpers = 0;           // threads in serve()
    bool stopped = false;
};
