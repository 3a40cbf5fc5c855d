#include "disk/output_file.h"

#include "formats/file_failures.h"

namespace talveno {

using file_failures::FileRole;

OutputFile::OutputFile(const std::function<file_system::FileReplacement()>& open, std::string name)
    : name_(std::move(name)) {
    try {
        file_ = open();
    } catch (const Failure& failure) {
        failure_ = file_failures::inFile(failure, FileRole::Output, name_);
    }
}

void OutputFile::write(std::string_view bytes) {
    if (failure_) return;
    try {
        file_->write(bytes);
    } catch (const Failure& failure) {
        failure_ = file_failures::inFile(failure, FileRole::Output, name_);
    }
}

void OutputFile::prepare() {
    if (failure_) throw *failure_;
    file_failures::onFile(FileRole::Output, name_, [&] { file_->prepare(); });
}

void OutputFile::commit() {
    if (failure_) throw *failure_;
    file_failures::onFile(FileRole::Output, name_, [&] { file_->commit(); });
}

}  // namespace talveno
