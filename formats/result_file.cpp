#include "formats/result_file.h"

#include "formats/data_file.h"
#include "tables/columns.h"

namespace talveno {

namespace {

constexpr auto& kColumns = columns::kResult;

constexpr std::string_view kHeader =
    " No     Pen   soft    PI    loadtime  Temp    Cv      Sbit        Smix";
const std::string kMpaLines = data_file::headerLines({
    kHeader,
    "       0.1mm   ℃           　 秒　    ℃     %       MPa         MPa",
});
const std::string kKgfLines = data_file::headerLines({
    kHeader,
    "       0.1mm   ℃           　 秒　    ℃     %      kgf/cm2     kgf/cm2",
});

}  // namespace

const std::string& resultFileHeaderLines(StiffnessUnit unit) {
    return unit == StiffnessUnit::Mpa ? kMpaLines : kKgfLines;
}

void appendResultFileLine(std::string& out, int row, const std::array<std::string_view, 8>& cells) {
    data_file::appendDataLine(
        out, row, [&](int column) { return cells[column - 1]; }, kColumns);
}

void writeResultFile(const Table& result, StiffnessUnit unit, const ByteSink& out) {
    data_file::writeFile(result, resultFileHeaderLines(unit), kColumns, out);
}

std::string resultFileBytes(const Table& result, StiffnessUnit unit) {
    return data_file::fileBytes(result, resultFileHeaderLines(unit), kColumns);
}

std::vector<ResultRecord> parseResultFile(std::string_view bytes, std::string_view fileName) {
    return data_file::parseRecords<8>(bytes, fileName, data_file::RowNumberToken::Decimal,
                                      kColumns);
}

std::vector<ResultRecord> readResultFile(const ByteSource& source, std::string_view fileName) {
    return data_file::readRecords<8>(source, fileName, data_file::RowNumberToken::Decimal,
                                     kColumns);
}

void applyResultFile(Table& result, int n, const std::vector<ResultRecord>& records) {
    data_file::applyRecords<8>(result, n, records, kColumns);
}

}  // namespace talveno
