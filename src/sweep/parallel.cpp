#include "sweep/parallel.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tarvo {

int ThreadCount(int requested) {
    if (requested > 0) {
        return requested;
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
}

bool ForEachItem(std::size_t count, const std::function<void(std::size_t)>& work,
                 const RunControl& control) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::size_t done = 0;
    std::mutex mutex;  // guards done, failure and the progress calls
    std::exception_ptr failure;
    const auto stopped = [&] {
        return failed.load() || (control.cancel != nullptr && control.cancel->load());
    };
    const auto worker = [&] {
        for (std::size_t item = next++; item < count && !stopped(); item = next++) {
            try {
                work(item);
            } catch (...) {
                const std::lock_guard lock(mutex);
                failure = failure ? failure : std::current_exception();
                failed = true;
                return;
            }
            const std::lock_guard lock(mutex);
            ++done;
            if (control.progress) {
                control.progress(done, count);
            }
        }
    };
    const std::size_t threads = std::min(static_cast<std::size_t>(ThreadCount(control.threads)),
                                         std::max<std::size_t>(count, 1));
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(worker);
        } catch (const std::system_error&) {
            break;  // the threads there are do the work
        }
    }
    worker();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return done == count;
}

}  // namespace tarvo
