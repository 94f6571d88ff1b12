#pragma once
// Work spread over the machine's cores: one thread per core takes the next item until none is
// left. Each item's result goes to its own place, so what comes out does not depend on the
// number of threads or on which thread took which item.

#include <atomic>
#include <cstddef>
#include <functional>

namespace tarvo {

struct RunControl {
    int threads = 0;  // 0: one per core
    // Told how many items are done, from the working threads, one call at a time.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // Set from anywhere to stop: the items under way finish, no other starts.
    const std::atomic<bool>* cancel = nullptr;
};

// The number of threads a run with `requested` threads uses (0: one per core).
int ThreadCount(int requested);

// Calls work(i) for every i below count, spread over the threads, unless cancelled. An
// exception thrown by work stops the run and is thrown again here once every thread stopped.
// True when every item was done.
bool ForEachItem(std::size_t count, const std::function<void(std::size_t)>& work,
                 const RunControl& control);

}  // namespace tarvo
