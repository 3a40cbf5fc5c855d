#include "formats/data_file.h"

#include <cmath>

#include "core/cp932.h"
#include "core/number_text.h"
#include "formats/fields.h"
#include "formats/file_failures.h"
#include "formats/token_scanner.h"
#include "tables/max_data_count.h"

namespace talveno::data_file {

namespace {

bool isExponent(const columns::Column& column) {
    return column.decimals == columns::kExponentForm;
}

// The exponent form of the largest doubles rounds up beyond the double range, and a cell of
// that text could not be saved again.
bool fitsItsCell(double value, const columns::Column& column) {
    return !isExponent(column) || std::fabs(value) < 1e308 ||
           tryParseNumber(exponentText(value)).has_value();
}

// The bytes a writer gathers before it hands them on.
constexpr std::size_t kBlockBytes = 1 << 16;

template <std::size_t N>
std::vector<Record<N>> readAll(RecordReader<N>& reader) {
    std::vector<Record<N>> records;
    Record<N> record;
    while (reader.next(record)) records.push_back(record);
    return records;
}

}  // namespace

double appendCellText(std::string& out, double value, const columns::Column& column) {
    if (!isExponent(column)) return appendFixedText(out, value, column.decimals);
    const std::size_t start = out.size();
    appendExponentText(out, value);
    return parseNumber(std::string_view(out).substr(start));
}

void appendCellField(std::string& out, std::string_view cell, const columns::Column& column) {
    if (isExponent(column))
        fields::appendSeparatedExponentField(out, cell);
    else
        fields::appendSeparatedFixedField(out, cell, column.fileWidth, column.decimals);
}

template <std::size_t N>
RecordReader<N>::RecordReader(ByteSource source, std::string_view fileName,
                              RowNumberToken rowNumber, std::span<const columns::Column, N> columns)
    : scanner_(std::move(source)), fileName_(fileName), rowNumber_(rowNumber), columns_(columns) {}

template <std::size_t N>
RecordReader<N>::RecordReader(std::string_view bytes, std::string_view fileName,
                              RowNumberToken rowNumber, std::span<const columns::Column, N> columns)
    : scanner_(bytes), fileName_(fileName), rowNumber_(rowNumber), columns_(columns) {}

template <std::size_t N>
void RecordReader<N>::start() {
    started_ = true;
    empty_ = scanner_.atEnd();
    const bool firstText = scanner_.skipTextLine();
    headerText_ = scanner_.skipTextLine() && firstText;
}

template <std::size_t N>
bool RecordReader<N>::next(Record<N>& record) {
    if (!started_) start();
    if (!scanner_.skipSeparators()) {
        // A text file of fewer lines than the two header lines, or of those alone, reads as a
        // table without rows.
        if (count_ == 0 && !headerText_) throw file_failures::notTextFile(fileName_);
        if (count_ == 0 && empty_) throw file_failures::emptyFile(fileName_);
        return false;
    }
    if (count_ == static_cast<std::size_t>(kMaxDataCountLimit))
        throw file_failures::atLine(file_failures::tooManyRecords(kMaxDataCountLimit),
                                    scanner_.line());
    std::int64_t line = scanner_.line();
    const bool rowNumberRead = rowNumber_ == RowNumberToken::Integer
                                   ? scanner_.integerToken().has_value()
                                   : scanner_.decimalToken().has_value();
    if (!rowNumberRead) throw file_failures::atLine(file_failures::notANumberToken(), line);
    for (std::size_t i = 0; i < N; ++i) {
        if (!scanner_.skipSeparators())
            throw file_failures::atLine(file_failures::notANumberToken(), line);
        line = scanner_.line();
        const auto number = scanner_.decimalToken();
        if (!number || !fitsItsCell(*number, columns_[i]))
            throw file_failures::atLine(file_failures::notANumberToken(), line);
        record[i] = *number;
    }
    scanner_.skipLine();
    ++count_;
    return true;
}

void writeFile(const Table& table, std::string_view headerLines,
               std::span<const columns::Column> columns, const ByteSink& out) {
    std::string block(headerLines);
    const int rows = table.filledRowCount();
    for (int row = 1; row <= rows; ++row) {
        appendDataLine(
            block, row, [&](int column) -> std::string_view { return table.cell(column, row); },
            columns);
        if (block.size() >= kBlockBytes) {
            out(block);
            block.clear();
        }
    }
    out(block);
}

std::string fileBytes(const Table& table, std::string_view headerLines,
                      std::span<const columns::Column> columns) {
    std::size_t lineLength = 6;
    for (const columns::Column& column : columns) lineLength += column.fileWidth;
    std::string bytes;
    bytes.reserve(headerLines.size() +
                  static_cast<std::size_t>(table.filledRowCount()) * lineLength);
    writeFile(table, headerLines, columns, [&](std::string_view block) { bytes += block; });
    return bytes;
}

template <std::size_t N>
std::vector<Record<N>> parseRecords(std::string_view bytes, std::string_view fileName,
                                    RowNumberToken rowNumber,
                                    std::span<const columns::Column, N> columns) {
    RecordReader<N> reader(bytes, fileName, rowNumber, columns);
    return readAll(reader);
}

template <std::size_t N>
std::vector<Record<N>> readRecords(const ByteSource& source, std::string_view fileName,
                                   RowNumberToken rowNumber,
                                   std::span<const columns::Column, N> columns) {
    RecordReader<N> reader(source, fileName, rowNumber, columns);
    return readAll(reader);
}

template <std::size_t N>
void applyRecords(Table& table, int, const std::vector<Record<N>>& records,
                  std::span<const columns::Column, N> columns) {
    // Every held row below the records reads empty once its column is exchanged.
    std::array<std::vector<std::string>, N> texts;
    for (std::size_t i = 0; i < N; ++i) {
        const int column = static_cast<int>(i) + 1;
        texts[i].reserve(records.size() + 1);
        texts[i].push_back(table.cell(column, 0));
        for (const Record<N>& record : records)
            appendCellText(texts[i].emplace_back(), record[i], columns[i]);
    }
    for (std::size_t i = 0; i < N; ++i) table.swapColumn(static_cast<int>(i) + 1, texts[i]);
}

std::string headerLines(std::initializer_list<std::string_view> utf8Lines) {
    std::string lines;
    // The program's own texts, all of them CP932 characters.
    for (const std::string_view line : utf8Lines) lines += cp932::encode(line).value() + "\r\n";
    return lines;
}

// The input data file has six data columns, the result file eight.
template class RecordReader<6>;
template class RecordReader<8>;
template std::vector<Record<6>> parseRecords<6>(std::string_view, std::string_view, RowNumberToken,
                                                std::span<const columns::Column, 6>);
template std::vector<Record<8>> parseRecords<8>(std::string_view, std::string_view, RowNumberToken,
                                                std::span<const columns::Column, 8>);
template std::vector<Record<6>> readRecords<6>(const ByteSource&, std::string_view, RowNumberToken,
                                               std::span<const columns::Column, 6>);
template std::vector<Record<8>> readRecords<8>(const ByteSource&, std::string_view, RowNumberToken,
                                               std::span<const columns::Column, 8>);
template void applyRecords<6>(Table&, int, const std::vector<Record<6>>&,
                              std::span<const columns::Column, 6>);
template void applyRecords<8>(Table&, int, const std::vector<Record<8>>&,
                              std::span<const columns::Column, 8>);

}  // namespace talveno::data_file
