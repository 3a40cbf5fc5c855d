#include "print/listings.h"

#include <array>
#include <limits>
#include <span>

#include "formats/fields.h"
#include "print/print_stream.h"
#include "tables/columns.h"

namespace talveno {

namespace {

constexpr std::string_view kIndent = "               ";

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

constexpr std::string_view kInputTitle = "入力データ名： ";
constexpr std::string_view kResultTitle = "出力データ名： ";

constexpr std::array<std::string_view, 2> kMpaHeaders = {kResultHeader, kMpaUnitLine};
constexpr std::array<std::string_view, 2> kKgfHeaders = {kResultHeader, kKgfUnitLine};

std::span<const std::string_view, 2> resultHeaders(StiffnessUnit unit) {
    return unit == StiffnessUnit::Mpa ? kMpaHeaders : kKgfHeaders;
}

void writeHead(std::string_view title, std::string_view dataName,
               std::span<const std::string_view, 2> headers, ListingSink& sink) {
    for (int line = 1; line <= 7; ++line) sink.endLine();
    sink.write(kIndent);
    sink.write(title);
    sink.write(dataName);
    sink.endLine();
    sink.endLine();
    for (const std::string_view header : headers) writeLine(sink, header);
}

// The line of a row: each cell's field as soon as it is read.
void writeRow(int row, std::span<const std::string_view> cells,
              std::span<const columns::Column> columns, ListingSink& sink) {
    static thread_local std::string text;
    sink.write(kIndent);
    text.clear();
    fields::appendRowNumberField(text, row);
    sink.write(text);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        text.clear();
        if (columns[i].decimals == columns::kExponentForm)
            fields::appendSeparatedExponentField(text, cells[i]);
        else
            fields::appendSeparatedFixedField(text, cells[i], columns::kListingFixedWidth,
                                              columns[i].decimals);
        sink.write(text);
    }
    sink.endLine();
}

// The surface a listing's pages are counted on: the sizes and widths of the real one, nothing
// drawn.
class PageCounter : public DrawingSurface {
  public:
    explicit PageCounter(const DrawingSurface& surface)
        : surface_(surface),
          width_(surface.pageWidth()),
          height_(surface.pageHeight()),
          characterHeight_(surface.characterHeight()) {}

    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    int characterHeight() const override { return characterHeight_; }
    // Each row line is counted by the same text: it is measured once.
    int textWidth(std::string_view text) const override {
        if (text != measured_) {
            measured_ = text;
            measuredWidth_ = surface_.textWidth(text);
        }
        return measuredWidth_;
    }
    void drawText(int, int, std::string_view) override {}
    void newPage() override { ++pages_; }

    int pages() const { return pages_; }

  private:
    const DrawingSurface& surface_;
    int width_;
    int height_;
    int characterHeight_;
    mutable std::string measured_;
    mutable int measuredWidth_ = 0;
    int pages_ = 1;
};

constexpr int kAllRows = std::numeric_limits<int>::max();

}  // namespace

void writeInputListing(const Table& input, std::string_view dataName, ListingSink& sink) {
    ListingInParts::ofInput(input, dataName).writeNext(sink, kAllRows);
}

void writeResultListing(const Table& result, StiffnessUnit unit, std::string_view dataName,
                        ListingSink& sink) {
    ListingInParts::ofResults(result, unit, dataName).writeNext(sink, kAllRows);
}

void writeInputListingHead(std::string_view dataName, ListingSink& sink) {
    writeHead(kInputTitle, dataName, kInputHeaders, sink);
}

void writeResultListingHead(StiffnessUnit unit, std::string_view dataName, ListingSink& sink) {
    writeHead(kResultTitle, dataName, resultHeaders(unit), sink);
}

void writeInputListingRow(int row, std::span<const std::string_view, 6> cells, ListingSink& sink) {
    writeRow(row, cells, columns::kInput, sink);
}

void writeResultListingRow(int row, std::span<const std::string_view, 8> cells, ListingSink& sink) {
    writeRow(row, cells, columns::kResult, sink);
}

std::string listingText(const Listing& listing) {
    std::string text;
    TextListingSink sink(text);
    listing(sink);
    return text;
}

ListingInParts::ListingInParts(const Table& table, std::span<const columns::Column> columns,
                               std::string_view title, std::span<const std::string_view, 2> headers,
                               std::string_view dataName)
    : table_(&table),
      columns_(columns),
      title_(title),
      headers_(headers),
      dataName_(dataName),
      rows_(table.filledRowCount()) {}

ListingInParts ListingInParts::ofInput(const Table& input, std::string_view dataName) {
    return ListingInParts(input, columns::kInput, kInputTitle, kInputHeaders, dataName);
}

ListingInParts ListingInParts::ofResults(const Table& result, StiffnessUnit unit,
                                         std::string_view dataName) {
    return ListingInParts(result, columns::kResult, kResultTitle, resultHeaders(unit), dataName);
}

bool ListingInParts::writeNext(ListingSink& sink, int rows) {
    if (written_ < 0) {
        writeHead(title_, dataName_, headers_, sink);
        written_ = 0;
    }
    std::array<std::string_view, columns::kResult.size()> cells;
    const int last = rows_ - written_ > rows ? written_ + rows : rows_;
    for (int row = written_ + 1; row <= last; ++row) {
        for (std::size_t i = 0; i < columns_.size(); ++i)
            cells[i] = table_->cell(static_cast<int>(i) + 1, row);
        writeRow(row, std::span(cells).first(columns_.size()), columns_, sink);
        written_ = row;
    }
    return written_ < rows_;
}

// The rows are followed as far as the third page: every page after the first holds as many.
int ListingInParts::pageCount(const DrawingSurface& surface) const {
    PageCounter counter(surface);
    PrintStream stream(counter);
    writeHead(title_, dataName_, headers_, stream);
    int secondPageStart = 0;
    for (int row = 1; row <= rows_; ++row) {
        const int pages = counter.pages();
        stream.write(kIndent);
        stream.endLine();
        if (counter.pages() == pages) continue;
        if (counter.pages() == 2) {
            secondPageStart = row;
            continue;
        }
        const int perPage = row - secondPageStart;
        return 2 + (rows_ - row + perPage) / perPage;
    }
    return counter.pages();
}

}  // namespace talveno
