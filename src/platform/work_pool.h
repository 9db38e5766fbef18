#pragma once

#include <functional>

// Runs numbered tasks on the machine's cores: as many threads as it has (one where there is
// one), the calling thread among them. Tasks are started in the order of their numbers. A task
// that fails (returns false or throws) stops the work promptly: no task starts after it, and
// those running finish.
class CWorkPool {
  public:
    // The threads a pool takes by default: the machine's cores, or what SetDefaultThreads set.
    static int DefaultThreads();
    // For tests and benchmarks that compare thread counts; 0 goes back to the machine's cores.
    static void SetDefaultThreads(int threads);

    explicit CWorkPool(int threads = DefaultThreads());

    // Runs task(number, worker) for the numbers 0 to count - 1, worker being 0 to Threads() - 1
    // (one task at a time per worker). True when all succeeded; otherwise firstFailure, when
    // given, receives the lowest number of a failed task. An exception of a task is thrown on
    // once the other workers stopped.
    bool Run(int count, const std::function<bool(int number, int worker)>& task,
             int* firstFailure = nullptr) const;
    int Threads() const { return threads; }

  private:
    int threads;
};
