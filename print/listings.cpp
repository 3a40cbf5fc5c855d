#include "print/listings.h"

#include <array>
#include <span>

#include "files/fields.h"
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

constexpr std::string_view kInputTitle = "入力データ名： ";
constexpr std::string_view kResultTitle = "出力データ名： ";

std::array<std::string_view, 2> resultHeaders(StiffnessUnit unit) {
    return {kResultHeader, unit == StiffnessUnit::Mpa ? kMpaUnitLine : kKgfUnitLine};
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

template <std::size_t N>
void writeTableRows(const Table& table, const std::array<columns::Column, N>& columns,
                    ListingSink& sink) {
    const int rows = table.filledRowCount();
    std::array<std::string_view, N> cells;
    for (int row = 1; row <= rows; ++row) {
        for (std::size_t i = 0; i < N; ++i) cells[i] = table.cell(static_cast<int>(i) + 1, row);
        writeRow(row, cells, columns, sink);
    }
}

}  // namespace

void writeInputListing(const Table& input, std::string_view dataName, ListingSink& sink) {
    writeInputListingHead(dataName, sink);
    writeTableRows(input, columns::kInput, sink);
}

void writeResultListing(const Table& result, StiffnessUnit unit, std::string_view dataName,
                        ListingSink& sink) {
    writeResultListingHead(unit, dataName, sink);
    writeTableRows(result, columns::kResult, sink);
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

}  // namespace talveno
