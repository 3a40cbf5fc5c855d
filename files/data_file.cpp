#include "files/data_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "core/cp932.h"
#include "core/number_text.h"
#include "files/fields.h"
#include "files/file_failures.h"
#include "files/file_system.h"
#include "files/token_scanner.h"
#include "tables/layouts.h"
#include "tables/max_data_count.h"

namespace talveno::data_file {

namespace {

// The exponent form of the largest doubles rounds up beyond the double range, and a cell of
// that text could not be saved again.
bool fitsItsCell(double value, FieldFormat field) {
    return field.decimals >= 0 || std::fabs(value) < 1e308 ||
           tryParseNumber(exponentText(value)).has_value();
}

}  // namespace

double appendCellText(std::string& out, double value, FieldFormat field) {
    if (field.decimals >= 0) return appendFixedText(out, value, field.decimals);
    const std::size_t start = out.size();
    appendExponentText(out, value);
    return parseNumber(std::string_view(out).substr(start));
}

void appendCellField(std::string& out, std::string_view cell, FieldFormat field) {
    if (field.decimals < 0)
        fields::appendSeparatedExponentField(out, cell);
    else
        fields::appendSeparatedFixedField(out, cell, field.width, field.decimals);
}

template <std::size_t N>
RecordReader<N>::RecordReader(TokenScanner::Source source, RowNumberToken rowNumber,
                              std::span<const FieldFormat, N> fields)
    : scanner_(std::move(source)), rowNumber_(rowNumber), fields_(fields) {}

template <std::size_t N>
RecordReader<N>::RecordReader(std::string_view bytes, RowNumberToken rowNumber,
                              std::span<const FieldFormat, N> fields)
    : scanner_(bytes), rowNumber_(rowNumber), fields_(fields) {}

template <std::size_t N>
bool RecordReader<N>::next(Record<N>& record) {
    if (!started_) {
        scanner_.skipLine();
        scanner_.skipLine();
        started_ = true;
    }
    if (!scanner_.skipSeparators()) return false;
    if (count_ == static_cast<std::size_t>(kMaxDataCountLimit))
        throw file_failures::atLine(file_failures::tooManyRecords(), scanner_.line());
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
        if (!number || !fitsItsCell(*number, fields_[i]))
            throw file_failures::atLine(file_failures::notANumberToken(), line);
        record[i] = *number;
    }
    scanner_.skipLine();
    ++count_;
    return true;
}

std::string fileBytes(const Table& table, std::string_view headerLines,
                      std::span<const FieldFormat> fields) {
    const int rows = table.filledRowCount();
    std::size_t lineLength = 6;
    for (const FieldFormat field : fields) lineLength += field.width;
    std::string bytes(headerLines);
    bytes.reserve(bytes.size() + static_cast<std::size_t>(rows) * lineLength);
    for (int row = 1; row <= rows; ++row)
        appendDataLine(
            bytes, row, [&](int column) -> std::string_view { return table.cell(column, row); },
            fields);
    return bytes;
}

template <std::size_t N>
std::vector<Record<N>> readAll(RecordReader<N>& reader) {
    std::vector<Record<N>> records;
    Record<N> record;
    while (reader.next(record)) records.push_back(record);
    return records;
}

template <std::size_t N>
std::vector<Record<N>> parseRecords(std::string_view bytes, RowNumberToken rowNumber,
                                    std::span<const FieldFormat, N> fields) {
    RecordReader<N> reader(bytes, rowNumber, fields);
    return readAll(reader);
}

template <std::size_t N>
std::vector<Record<N>> readRecordFile(file_system::InputFile& file, RowNumberToken rowNumber,
                                      std::span<const FieldFormat, N> fields) {
    RecordReader<N> reader(
        [&file](char* buffer, std::size_t size) { return file.read(buffer, size); }, rowNumber,
        fields);
    return readAll(reader);
}

template <std::size_t N>
void applyRecords(Table& table, int n, const std::vector<Record<N>>& records,
                  std::span<const FieldFormat, N> fields) {
    // Every row the table holds is emptied, rows beyond n too: the rows of an earlier, longer
    // file must not stay behind the new one's, to be computed, printed and saved under its name.
    int held = n;
    for (int column = 1; column <= static_cast<int>(N); ++column)
        held = std::max(held, table.rowsHeld(column) - 1);
    layouts::emptyDataCells(table, 1, static_cast<int>(N), held);
    for (std::size_t k = 0; k < records.size(); ++k) {
        for (std::size_t i = 0; i < N; ++i) {
            const double value = records[k][i];
            std::string text;
            appendCellText(text, value, fields[i]);
            table.setCell(static_cast<int>(i) + 1, static_cast<int>(k) + 1, std::move(text));
        }
    }
}

std::optional<std::string> headerLines(std::initializer_list<std::string_view> utf8Lines) {
    std::string lines;
    for (const std::string_view line : utf8Lines) {
        const auto encoded = cp932::encode(line);
        if (!encoded) return std::nullopt;
        lines += *encoded + "\r\n";
    }
    return lines;
}

const std::string& encoded(const std::optional<std::string>& lines) {
    if (!lines) throw file_failures::ioError(EINVAL);
    return *lines;
}

// The input data file has six data columns, the result file eight.
template class RecordReader<6>;
template class RecordReader<8>;
template std::vector<Record<6>> parseRecords<6>(std::string_view, RowNumberToken,
                                                std::span<const FieldFormat, 6>);
template std::vector<Record<8>> parseRecords<8>(std::string_view, RowNumberToken,
                                                std::span<const FieldFormat, 8>);
template std::vector<Record<6>> readRecordFile<6>(file_system::InputFile&, RowNumberToken,
                                                  std::span<const FieldFormat, 6>);
template std::vector<Record<8>> readRecordFile<8>(file_system::InputFile&, RowNumberToken,
                                                  std::span<const FieldFormat, 8>);
template void applyRecords<6>(Table&, int, const std::vector<Record<6>>&,
                              std::span<const FieldFormat, 6>);
template void applyRecords<8>(Table&, int, const std::vector<Record<8>>&,
                              std::span<const FieldFormat, 8>);

}  // namespace talveno::data_file
