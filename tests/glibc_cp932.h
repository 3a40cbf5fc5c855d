#pragma once

#include <cstdlib>

// glibc's own CP932 converter, through iconv: what the program's converter is measured against.
#ifdef __GLIBC__
#define TALVENO_GLIBC_CP932 1

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace talveno::glibc_cp932 {

// One direction of conversion, open for many texts.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (available()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Whether glibc has the converter here (a cross build may lack its modules).
    bool available() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The text converted, or nothing where iconv refuses it.
    std::optional<std::string> operator()(std::string_view text) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(text.size() * 3 + 16, '\0');
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

  private:
    iconv_t cd_;
};

// A conversion on its own, opening the converter for it.
inline std::optional<std::string> encode(std::string_view utf8) {
    return Converter("CP932", "UTF-8")(utf8);
}
inline std::optional<std::string> decode(std::string_view bytes) {
    return Converter("UTF-8", "CP932")(bytes);
}

}  // namespace talveno::glibc_cp932

#endif
