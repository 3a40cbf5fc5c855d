#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Code page 932 (windows-31j), the encoding of the data files: the interface's texts, such as
// "－" (U+FF0D), are only in this form of Shift-JIS.
namespace talveno::cp932 {

// The CP932 bytes of a UTF-8 text, or nothing when it holds a character CP932 lacks or is not
// valid UTF-8.
std::optional<std::string> encode(std::string_view utf8);

// The UTF-8 text of CP932 bytes, or nothing when they are not valid CP932.
std::optional<std::string> decode(std::string_view bytes);

// The longest prefix of whole characters whose CP932 form takes at most maxBytes bytes, so a
// double-byte character cut in half is dropped whole. A character CP932 lacks counts as the
// one byte "?" it would be stored as.
std::string prefixWithin(std::string_view utf8, std::size_t maxBytes);

// Checks bytes one at a time for CP932 text: each byte a character of its own or one half of a
// double-byte character, and none of them NUL, which no text file holds.
class TextCheck {
  public:
    void add(unsigned char byte);
    // Whether the bytes so far are text; a lead byte still waiting for its trail byte is none.
    bool isText() const { return text_ && lead_ == 0; }

  private:
    bool text_ = true;
    unsigned char lead_ = 0;
};

}  // namespace talveno::cp932
