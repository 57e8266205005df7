// A few threads that share a task: run(count, task) calls task(i) once
// for every i below count, on the caller's thread and the workers', and
// returns when all are done. Which thread takes which i is not fixed, so
// a task must not depend on it: the processor backend gives each i a band
// of rows of its own.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace orvelle::cpu {

class Workers {
public:
    // threads: how many run a task in all, the caller's included (0: one
    // per processor the system reports). Where the system refuses a
    // thread, fewer run.
    explicit Workers(unsigned threads);
    ~Workers();
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    unsigned threads() const { return static_cast<unsigned>(threads_.size()) + 1; }

    template <typename Task>
    void run(size_t count, Task& task) {
        runErased(count, &task, [](void* t, size_t i) { (*static_cast<Task*>(t))(i); });
    }

private:
    using Call = void (*)(void*, size_t);
    void runErased(size_t count, void* task, Call call);
    void work(uint64_t generation);
    // Takes the next index of the current run; false when none is left.
    bool take(size_t& index);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    uint64_t generation_ = 0;
    bool stopping_ = false;
    void* task_ = nullptr;
    Call call_ = nullptr;
    size_t count_ = 0;
    size_t next_ = 0;
    size_t busy_ = 0;  // workers inside the current run
    std::vector<std::thread> threads_;
};

}  // namespace orvelle::cpu
