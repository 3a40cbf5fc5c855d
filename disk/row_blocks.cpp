#include "disk/row_blocks.h"

#include <algorithm>
#include <system_error>

namespace talveno {

BlockWorkers::BlockWorkers(int threads, const std::function<Work()>& makeWork) {
    try {
        threads_.reserve(static_cast<std::size_t>(std::max(threads, 0)));
        for (int i = 0; i < threads; ++i) {
            Work work = makeWork();
            threads_.emplace_back(&BlockWorkers::serve, this, std::move(work));
        }
    } catch (const std::system_error&) {
        // The system starts no more threads (a limit of processes or of memory): the blocks
        // are computed by those started, or by the thread that submits them.
    } catch (...) {
        stop();
        throw;
    }
    if (threads_.empty()) inlineWork_ = makeWork();
}

BlockWorkers::~BlockWorkers() {
    stop();
}

void BlockWorkers::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    submitted_.notify_all();
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
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
