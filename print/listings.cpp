#include "print/listings.h"

#include <array>
#include <span>

#include "core/number_text.h"
#include "files/fields.h"

namespace talveno {

namespace {

constexpr std::string_view kIndent = "               ";
constexpr int kFixedWidth = 10;
// The exponent field in place of a number of decimals.
constexpr int kExponent = -1;

constexpr std::array<int, 6> kInputDecimals = {1, 1, 3, 1, 1, 1};
constexpr std::array<int, 8> kResultDecimals = {1, 1, 2, 3, 1, 1, kExponent, kExponent};

constexpr std::string_view kInputHeaders[] = {
    "　No 　   Pen      Soft   Loadtime　  Temp 　  Asvol　   Void",
    "  　　   0.1mm      ℃  　   秒          ℃      　％ 　     ％",
};
constexpr std::string_view kResultHeader =
    " No      Pen      Soft       PI      Loadtime    Temp      Cv        Sbit        Smix";
constexpr std::string_view kMpaUnitLine =
    "        0.1mm      ℃           　        秒　       ℃         ％        MPa        MPa";
constexpr std::string_view kKgfUnitLine =
    "        0.1mm      ℃           　        秒　       ℃         ％      kgf/cm2    kgf/cm2";

void writeLine(ListingSink& sink, std::string_view text) {
    sink.write(kIndent);
    sink.write(text);
    sink.endLine();
}

void writeListing(const Table& table, std::string_view title, std::string_view dataName,
                  std::span<const std::string_view, 2> headers, std::span<const int> decimals,
                  ListingSink& sink) {
    for (int line = 1; line <= 7; ++line) sink.endLine();
    sink.write(kIndent);
    sink.write(title);
    sink.write(dataName);
    sink.endLine();
    sink.endLine();
    for (const std::string_view header : headers) writeLine(sink, header);
    const int rows = table.filledRowCount();
    for (int row = 1; row <= rows; ++row) {
        sink.write(kIndent);
        sink.write(fields::rowNumberField(row));
        for (std::size_t i = 0; i < decimals.size(); ++i) {
            const double value = parseNumber(table.cell(static_cast<int>(i) + 1, row));
            sink.write(decimals[i] == kExponent
                           ? fields::separatedExponentField(value)
                           : fields::separatedFixedField(value, kFixedWidth, decimals[i]));
        }
        sink.endLine();
    }
}

// The lines of a listing as text.
class TextSink : public ListingSink {
  public:
    void write(std::string_view text) override { text_ += text; }
    void endLine() override { text_ += '\n'; }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

}  // namespace

void writeInputListing(const Table& input, std::string_view dataName, ListingSink& sink) {
    writeListing(input, "入力データ名： ", dataName, kInputHeaders, kInputDecimals, sink);
}

void writeResultListing(const Table& result, StiffnessUnit unit, std::string_view dataName,
                        ListingSink& sink) {
    const std::array<std::string_view, 2> headers = {
        kResultHeader, unit == StiffnessUnit::Mpa ? kMpaUnitLine : kKgfUnitLine};
    writeListing(result, "出力データ名： ", dataName, headers, kResultDecimals, sink);
}

std::string listingText(const Listing& listing) {
    TextSink sink;
    listing(sink);
    return sink.take();
}

}  // namespace talveno
