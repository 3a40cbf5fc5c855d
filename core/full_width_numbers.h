#pragma once

#include <string>
#include <string_view>

// Numbers typed by a Japanese input method in full-width mode, taken as the numbers they mean:
// the full-width digits, signs (＋, －, and the minus sign −), decimal point, the letters Ｅ and
// ｅ, and the ideographic space become their ASCII forms. Every front end's number boxes and
// cell editors apply this as text is typed or pasted.
namespace talveno {

// The ASCII form of one of those characters (a UTF-16 code unit); any other one unchanged.
char16_t halfWidthNumberCharacter(char16_t c);

// The UTF-8 text with each of those characters turned into its ASCII form, every other byte
// kept. Each character stays one character, so positions counted in characters keep their
// place.
std::string halfWidthNumberText(std::string_view text);

}  // namespace talveno
