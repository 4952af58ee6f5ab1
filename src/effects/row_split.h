#pragma once

#include <functional>

// How a run of steps over a field's rows shares out its work: each step's
// rows [0, rows) go out in parts, and a step begins only once the step
// before it has ended everywhere. This one runs every step whole on the
// calling thread; the player's recording lends its threads through one of
// its own (player/recorder.h).
class RowSplit {
public:
    using Work = std::function<void(int step, int firstRow, int endRow)>;

    virtual ~RowSplit() = default;
    virtual void run(int steps, int rows, const Work& work)
    {
        for (int step = 0; step < steps; ++step) work(step, 0, rows);
    }
};
