#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

// How the data files' bytes come and go: the formats read and write byte streams, and only the
// platform's side knows files.
namespace talveno {

// Fills the buffer with up to `size` further bytes of a file; 0 at its end.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;

// Takes the next bytes of a file.
using ByteSink = std::function<void(std::string_view bytes)>;

}  // namespace talveno
