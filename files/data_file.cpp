#include "files/data_file.h"

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

// The records after the two header lines, which are skipped whatever they hold. Blanks after
// the last record make no record; a record cut short by the end of the file is refused and
// named by the line of its last token.
template <std::size_t N>
std::vector<Record<N>> readRecords(TokenScanner& scanner, RowNumberToken rowNumber,
                                   std::span<const FieldFormat, N> fields) {
    std::vector<Record<N>> records;
    scanner.skipLine();
    scanner.skipLine();
    while (scanner.skipSeparators()) {
        if (records.size() == static_cast<std::size_t>(kMaxDataCountLimit))
            throw file_failures::atLine(file_failures::tooManyRecords(), scanner.line());
        std::int64_t line = scanner.line();
        const bool rowNumberRead = rowNumber == RowNumberToken::Integer
                                       ? scanner.integerToken().has_value()
                                       : scanner.decimalToken().has_value();
        if (!rowNumberRead) throw file_failures::atLine(file_failures::notANumberToken(), line);
        Record<N>& record = records.emplace_back();
        for (std::size_t i = 0; i < N; ++i) {
            if (!scanner.skipSeparators())
                throw file_failures::atLine(file_failures::notANumberToken(), line);
            line = scanner.line();
            const auto number = scanner.decimalToken();
            if (!number || !fitsItsCell(*number, fields[i]))
                throw file_failures::atLine(file_failures::notANumberToken(), line);
            record[i] = *number;
        }
        scanner.skipLine();
    }
    return records;
}

void appendField(std::string& bytes, double value, FieldFormat field) {
    bytes += field.decimals < 0 ? fields::separatedExponentField(value)
                                : fields::separatedFixedField(value, field.width, field.decimals);
}

}  // namespace

std::string fileBytes(const Table& table, std::string_view headerLines,
                      std::span<const FieldFormat> fields) {
    const int rows = table.filledRowCount();
    std::size_t lineLength = 6;
    for (const FieldFormat field : fields) lineLength += field.width;
    std::string bytes(headerLines);
    bytes.reserve(bytes.size() + static_cast<std::size_t>(rows) * lineLength);
    for (int row = 1; row <= rows; ++row) {
        bytes += fields::rowNumberField(row);
        for (std::size_t i = 0; i < fields.size(); ++i)
            appendField(bytes, parseNumber(table.cell(static_cast<int>(i) + 1, row)), fields[i]);
        bytes += "\r\n";
    }
    return bytes;
}

template <std::size_t N>
std::vector<Record<N>> parseRecords(std::string_view bytes, RowNumberToken rowNumber,
                                    std::span<const FieldFormat, N> fields) {
    TokenScanner scanner(bytes);
    return readRecords<N>(scanner, rowNumber, fields);
}

template <std::size_t N>
std::vector<Record<N>> readRecordFile(file_system::InputFile& file, RowNumberToken rowNumber,
                                      std::span<const FieldFormat, N> fields) {
    TokenScanner scanner(
        [&file](char* buffer, std::size_t size) { return file.read(buffer, size); });
    return readRecords<N>(scanner, rowNumber, fields);
}

template <std::size_t N>
void applyRecords(Table& table, int n, const std::vector<Record<N>>& records,
                  std::span<const FieldFormat, N> fields) {
    layouts::emptyDataCells(table, 1, static_cast<int>(N), n);
    for (std::size_t k = 0; k < records.size(); ++k) {
        for (std::size_t i = 0; i < N; ++i) {
            const double value = records[k][i];
            table.setCell(static_cast<int>(i) + 1, static_cast<int>(k) + 1,
                          fields[i].decimals < 0 ? exponentText(value)
                                                 : fixedText(value, fields[i].decimals));
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
