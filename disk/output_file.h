#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/failure.h"
#include "posix/file_system.h"

namespace talveno {

// A file that a long command replaces once all its content is known, whose failures wait: a
// failure to open or write it is kept, named after the file, so that the command can first
// report failures that come before it, and its later writes are dropped.
class OutputFile {
  public:
    // Opens the file by the function given; `name` is the file's name as the user gave it.
    OutputFile(const std::function<file_system::FileReplacement()>& open, std::string name);

    void write(std::string_view bytes);

    const std::string& name() const { return name_; }

    // The first failure of opening or writing, naming the file; nothing while there is none.
    const std::optional<Failure>& failure() const { return failure_; }

    // Throws the failure kept, or takes every step of the commit that can fail before the file
    // changes; a failure then names the file too.
    void prepare();
    // Whether the commit still writes the content and so can still fail (FileReplacement).
    bool writesOnCommit() const { return file_ && file_->writesOnCommit(); }
    // Throws the failure kept, or makes the content written the file's; a failure then names the
    // file too.
    void commit();

  private:
    std::string name_;
    std::optional<file_system::FileReplacement> file_;
    std::optional<Failure> failure_;
};

}  // namespace talveno
