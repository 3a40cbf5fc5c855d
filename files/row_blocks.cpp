#include "files/row_blocks.h"

namespace talveno {

BlockWorkers::BlockWorkers(int threads, const std::function<Work()>& makeWork) {
    if (threads <= 0) inlineWork_ = makeWork();
    for (int i = 0; i < threads; ++i) threads_.emplace_back(&BlockWorkers::serve, this, makeWork());
}

BlockWorkers::~BlockWorkers() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    submitted_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void BlockWorkers::submit(RowBlock& block) {
    block.done_ = false;
    block.error_ = nullptr;
    if (threads_.empty()) {
        try {
            inlineWork_(block);
        } catch (...) {
            block.error_ = std::current_exception();
        }
        block.done_ = true;
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(&block);
    }
    submitted_.notify_one();
}

void BlockWorkers::await(RowBlock& block) {
    std::unique_lock lock(mutex_);
    computed_.wait(lock, [&] { return block.done_; });
    if (block.error_) std::rethrow_exception(block.error_);
}

void BlockWorkers::serve(Work work) {
    while (true) {
        RowBlock* block = nullptr;
        {
            std::unique_lock lock(mutex_);
            submitted_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            if (stopping_) return;
            block = queue_.front();
            queue_.pop_front();
        }
        std::exception_ptr error;
        try {
            work(*block);
        } catch (...) {
            error = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            block->error_ = error;
            block->done_ = true;
        }
        computed_.notify_all();
    }
}

}  // namespace talveno
