#pragma once

#include <QString>
#include <string>
#include <vector>

#include "window/form.h"

namespace talveno::ui {

// A data file on the desktop's disk, named as a dialog gives it (as Qt holds paths) or as the
// system names it (bytes, which may be no UTF-8). A path must lead to a regular file.
class DiskFile : public window::DataFile {
  public:
    explicit DiskFile(const QString& shown);
    explicit DiskFile(const std::string& path);

    std::string name() const override { return name_; }
    std::string head() override;
    std::vector<InputRecord> inputRecords() override;
    std::vector<ResultRecord> resultRecords() override;

  private:
    std::string path_;
    std::string name_;
};

}  // namespace talveno::ui
