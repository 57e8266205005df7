#include "renderer/cpu/workers.h"

#include <algorithm>
#include <system_error>

namespace orvelle::cpu {

Workers::Workers(unsigned threads) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 1; i < threads; ++i) {
        try {
            threads_.emplace_back([this, generation = generation_] { work(generation); });
        } catch (const std::system_error&) {
            break;  // the ones there are do the work
        }
    }
}

Workers::~Workers() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
}

bool Workers::take(size_t& index) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (next_ >= count_) return false;
    index = next_++;
    return true;
}

void Workers::runErased(size_t count, void* task, Call call) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        task_ = task;
        call_ = call;
        count_ = count;
        next_ = 0;
        busy_ = threads_.size();
        ++generation_;
    }
    wake_.notify_all();
    for (size_t i = 0; take(i);) call(task, i);
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    task_ = nullptr;
}

void Workers::work(uint64_t seen) {
    for (;;) {
        void* task = nullptr;
        Call call = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
            task = task_;
            call = call_;
        }
        for (size_t i = 0; take(i);) call(task, i);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            --busy_;
        }
        done_.notify_one();
    }
}

}  // namespace orvelle::cpu
