// Makes the units of a run (its encoded pictures) on worker threads and hands them, in order,
// to one consumer on the calling thread: pictures are drawn and encoded on every core while the
// files are written by one thread in subtitle order.
#pragma once

#include "convert/EncodedPicture.h"

#include <functional>

namespace lumelle {

struct PipelineSteps
{
    // On the calling thread, before unit `index` (from 0) is handed over; false stops the run.
    std::function<bool(int index)> before;
    // Makes unit `index` on worker `worker` (0 .. jobs - 1). Each worker calls it from one
    // thread only, so per-worker state needs no locks; worker jobs - 1 is the calling thread.
    std::function<EncodedPicture(int index, int worker)> make;
    // On the calling thread, unit `index` in order.
    std::function<void(int index, EncodedPicture& unit)> take;
};

struct PipelineOutcome
{
    int taken = 0;        // units handed to `take`
    bool stopped = false; // `before` said false
};

// The number of workers for `requested` jobs: 0 asks for one per processor this process may
// use.
int WorkerCount(int requested);

// Runs units 0 .. count - 1 through `steps` on `jobs` workers: jobs - 1 threads and the
// calling thread, which makes units while the one it is to hand over next is not ready (1:
// everything on the calling thread, one unit after another). When `make` or `take` fails at unit k,
// the units before k have all been taken and the failure is thrown again once the workers have
// stopped; a stop at unit k likewise leaves exactly the units before k taken.
PipelineOutcome RunInOrder(int count, int jobs, const PipelineSteps& steps);

} // namespace lumelle
