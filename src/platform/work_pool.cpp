#include "platform/work_pool.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

std::atomic<int> theDefaultThreads{0};

}  // namespace

int CWorkPool::DefaultThreads() {
    int set = theDefaultThreads.load();
    if (set > 0) {
        return set;
    }
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void CWorkPool::SetDefaultThreads(int count) {
    theDefaultThreads = std::max(0, count);
}

CWorkPool::CWorkPool(int threads) : threads(std::max(1, threads)) {}

bool CWorkPool::Run(int count, const std::function<bool(int number, int worker)>& task,
                    int* firstFailure) const {
    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
    std::mutex failures;
    int lowestFailure = INT_MAX;
    std::exception_ptr thrown;
    auto work = [&](int worker) {
        while (!stop.load(std::memory_order_relaxed)) {
            const int number = next.fetch_add(1);
            if (number >= count) {
                return;
            }
            bool done = false;
            std::exception_ptr error;
            try {
                done = task(number, worker);
            } catch (...) {
                error = std::current_exception();
            }
            if (!done) {
                std::lock_guard guard(failures);
                lowestFailure = std::min(lowestFailure, number);
                if (error && !thrown) {
                    thrown = error;
                }
                stop = true;
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int worker = 1; worker < std::min(threads, count); ++worker) {
            helpers.emplace_back(work, worker);
        }
        work(0);
    }
    if (thrown) {
        std::rethrow_exception(thrown);
    }
    if (lowestFailure != INT_MAX && firstFailure != nullptr) {
        *firstFailure = lowestFailure;
    }
    return lowestFailure == INT_MAX;
}
