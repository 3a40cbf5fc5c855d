#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_streams.h"

namespace talveno {

// Reads the tokens of a data file: characters with codes of 32 or less separate them (line
// ends included), the rest form tokens, and the file ends where no byte remains or at the
// first Ctrl-Z (code 26). A CP932 double-byte character has no byte of code 32 or less, so the
// bytes are scanned as they are.
class TokenScanner {
  public:
    explicit TokenScanner(std::string_view bytes);
    explicit TokenScanner(ByteSource source);

    // Skips the rest of the current line, up to and including the next LF (a lone CR ends no
    // line).
    void skipLine();

    // Skips a header line as skipLine does; false when its bytes are no CP932 text: a NUL, a
    // byte that is no CP932 character, or an end mark (Ctrl-Z) with bytes after it, where a text
    // file's mark comes last. The file ends at the mark all the same.
    bool skipTextLine();

    // Whether the file ends before the next character.
    bool atEnd() { return peek() < 0; }

    // Skips the separators before a token; false when the file ends first.
    bool skipSeparators();

    // How many bytes the source gave so far.
    std::uint64_t bytesRead() const { return bytesRead_; }

    // The line of the next character, counted from 1.
    std::int64_t line() const { return line_; }

    // The token that starts at the next character, as a decimal number (optional sign, digits
    // with an optional ".", optional exponent), or nothing when it is none.
    std::optional<double> decimalToken();

    // The token that starts at the next character as a whole number (optional sign and digits
    // within 32 bits), or nothing when it is none.
    std::optional<std::int32_t> integerToken();

  private:
    // The next byte, or -1 at the end of the file.
    int peek() {
        if (next_ == end_ && !refill()) return -1;
        const unsigned char c = static_cast<unsigned char>(*next_);
        return c == 26 ? -1 : c;
    }
    bool refill();
    // Whether bytes follow the end mark at the next character; none at the file's own end.
    bool bytesAfterEndMark();
    // Consumes the token at the next character: a view of it in the buffer, or of its copy when
    // it runs past the buffer's end; nothing when it is too long to be a number of any file.
    std::optional<std::string_view> readToken();

    ByteSource source_;
    std::vector<char> buffer_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    std::int64_t line_ = 1;
    std::uint64_t bytesRead_ = 0;
    std::string token_;
};

}  // namespace talveno
