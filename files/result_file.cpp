#include "files/result_file.h"

#include "files/data_file.h"
#include "files/file_system.h"

namespace talveno {

namespace {

constexpr std::array<data_file::FieldFormat, 8> kFields = {
    {{7, 1}, {7, 1}, {7, 2}, {10, 3}, {7, 1}, {7, 1}, data_file::kExponent, data_file::kExponent}};

constexpr std::string_view kHeader =
    " No     Pen   soft    PI    loadtime  Temp    Cv      Sbit        Smix";
const std::optional<std::string> kMpaLines = data_file::headerLines({
    kHeader,
    "       0.1mm   ℃           　 秒　    ℃     %       MPa         MPa",
});
const std::optional<std::string> kKgfLines = data_file::headerLines({
    kHeader,
    "       0.1mm   ℃           　 秒　    ℃     %      kgf/cm2     kgf/cm2",
});

}  // namespace

const std::string& resultFileHeaderLines(StiffnessUnit unit) {
    return data_file::encoded(unit == StiffnessUnit::Mpa ? kMpaLines : kKgfLines);
}

void appendResultFileLine(std::string& out, int row, const std::array<std::string_view, 8>& cells) {
    data_file::appendDataLine(
        out, row, [&](int column) { return cells[column - 1]; }, kFields);
}

std::string resultFileBytes(const Table& result, StiffnessUnit unit) {
    return data_file::fileBytes(result, resultFileHeaderLines(unit), kFields);
}

void saveResultFile(const Table& result, StiffnessUnit unit, const std::string& path) {
    file_system::replaceFile(path, resultFileBytes(result, unit));
}

std::vector<ResultRecord> parseResultFile(std::string_view bytes) {
    return data_file::parseRecords<8>(bytes, data_file::RowNumberToken::Decimal, kFields);
}

std::vector<ResultRecord> readResultFile(const std::string& path) {
    file_system::InputFile file(path);
    return data_file::readRecordFile<8>(file, data_file::RowNumberToken::Decimal, kFields);
}

void applyResultFile(Table& result, int n, const std::vector<ResultRecord>& records) {
    data_file::applyRecords<8>(result, n, records, kFields);
}

}  // namespace talveno
