#include "player/row_team.h"

#include <thread>

namespace {
// Rows a band has: half the warp's field. More, smaller bands cost more in
// meeting between steps than they win in balance (measured on two cores).
constexpr int kBandRows = 240;
}  // namespace

void RowTeam::run(int steps, int rows, const Work& work)
{
    std::unique_lock<std::mutex> hold(lock);
    if (helpers == 0) {
        hold.unlock();
        RowSplit::run(steps, rows, work);
        return;
    }
    auto mine = std::make_shared<Job>();
    mine->work = &work;
    mine->rows = rows;
    mine->bands = (rows + kBandRows - 1) / kBandRows;
    mine->total = steps * mine->bands;
    job = mine;
    ++jobNumber;
    hold.unlock();
    posted.notify_all();
    takeBands(*mine);
    // The bands taken by others, under way still.
    while (mine->done.load() < mine->total) std::this_thread::yield();
}

void RowTeam::serve()
{
    std::unique_lock<std::mutex> hold(lock);
    ++helpers;
    uint64_t seen = jobNumber;
    while (!stopped) {
        posted.wait(hold, [&] { return stopped || jobNumber != seen; });
        if (jobNumber == seen) break;
        seen = jobNumber;
        const std::shared_ptr<Job> joined = job;
        hold.unlock();
        takeBands(*joined);
        hold.lock();
    }
    --helpers;
}

void RowTeam::stop()
{
    {
        const std::lock_guard<std::mutex> hold(lock);
        stopped = true;
    }
    posted.notify_all();
}

void RowTeam::takeBands(Job& job)
{
    for (;;) {
        const int k = job.taken.fetch_add(1);
        if (k >= job.total) return;
        const int step = k / job.bands, band = k % job.bands;
        // Every band of the step before is done: the warp reads a few rows
        // either side of its own.
        while (job.done.load() < step * job.bands) std::this_thread::yield();
        (*job.work)(step, job.rows * band / job.bands, job.rows * (band + 1) / job.bands);
        job.done.fetch_add(1);
    }
}
