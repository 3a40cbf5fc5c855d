#pragma once

#include <functional>
#include <string_view>

// Where the lines of a printed listing go: texts written one after another, and line ends.
namespace talveno {

class ListingSink {
  public:
    virtual ~ListingSink() = default;

    virtual void write(std::string_view text) = 0;
    virtual void endLine() = 0;
};

// A listing, written into whatever sink it is given.
using Listing = std::function<void(ListingSink&)>;

}  // namespace talveno
