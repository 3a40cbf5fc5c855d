#pragma once

#include <functional>
#include <string>
#include <string_view>

// Where the lines of a printed listing go: texts written one after another, and line ends.
namespace talveno {

class ListingSink {
  public:
    virtual ~ListingSink() = default;

    virtual void write(std::string_view text) = 0;
    virtual void endLine() = 0;
};

// The lines of a listing as text appended to a string: its texts one after another, each line
// ended by LF.
class TextListingSink : public ListingSink {
  public:
    explicit TextListingSink(std::string& out) : out_(out) {}
    void write(std::string_view text) override { out_ += text; }
    void endLine() override { out_ += '\n'; }

  private:
    std::string& out_;
};

// A listing, written into whatever sink it is given.
using Listing = std::function<void(ListingSink&)>;

}  // namespace talveno
