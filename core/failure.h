#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace talveno {

// A command's failure: carries the system message shown in the error box. Every command
// throws it; the window catches it in one place.
class Failure : public std::runtime_error {
  public:
    explicit Failure(std::string message, int row = 0)
        : std::runtime_error(std::move(message)), row_(row) {}

    std::string_view message() const { return what(); }

    // The table row a calculation stopped at, or 0 when the failure belongs to no row.
    int row() const { return row_; }

  private:
    int row_;
};

// The text of the error box: a full stop is appended when the message's last character sorts
// after "." in character-code order, so a Japanese ending gets one and ")" does not. A message
// of several lines (a system message with a line naming where it arose) gets the rule per line.
std::string withFullStop(std::string_view message);

// The error box's text of a failure: its message by withFullStop, then, for a failure of a
// calculation's row, a line naming the row as the table numbers it: "(No. 3)".
std::string errorBoxText(std::string_view message, int row);

}  // namespace talveno
