#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/failure.h"
#include "formats/input_data_file.h"

// Blocks of rows computed side by side: rows are independent, so each block can be computed by
// any thread while the blocks keep their order.
namespace talveno {

// A block of rows on its way through a file calculation: its records as read, then the lines
// computed from them for each output.
struct RowBlock {
    std::vector<InputRecord> records;
    int firstRow = 0;  // the row of the first record
    std::vector<std::string> lines;
    // The failure of the first failing row, carrying its number; the rows after it are not
    // computed.
    std::optional<Failure> rowFailure;
    // For each output, the first failure of writing a field; its lines after it are dropped.
    std::vector<std::optional<Failure>> fieldFailures;

  private:
    friend class BlockWorkers;
    bool done_ = false;
    std::exception_ptr error_;
};

// Threads that compute blocks; with none, each block is computed as it is submitted. Each
// thread has its own work, made by the function given.
class BlockWorkers {
  public:
    using Work = std::function<void(RowBlock&)>;

    // Starts that many threads, or as many as the system allows: none, where it allows none.
    BlockWorkers(int threads, const std::function<Work()>& makeWork);
    // Lets the blocks being computed finish and ends the threads.
    ~BlockWorkers();
    BlockWorkers(const BlockWorkers&) = delete;
    BlockWorkers& operator=(const BlockWorkers&) = delete;

    void submit(RowBlock& block);
    // Waits until the block is computed; rethrows whatever its work threw.
    void await(RowBlock& block);

  private:
    void serve(Work work);
    // Ends the threads once the blocks being computed are done.
    void stop();

    Work inlineWork_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable submitted_;
    std::condition_variable computed_;
    std::deque<RowBlock*> queue_;
    bool stopping_ = false;
};

}  // namespace talveno
