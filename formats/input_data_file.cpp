#include "formats/input_data_file.h"

#include "formats/data_file.h"
#include "tables/columns.h"

namespace talveno {

namespace {

constexpr auto& kColumns = columns::kInput;

const std::string kHeaderLines = data_file::headerLines({
    "　No 　 pen   soft   loadtime　temp 　asvol　 void",
    "  　　 0.1mm   ℃  　   秒      ℃   　% 　    %",
});

}  // namespace

void writeInputDataFile(const Table& input, const ByteSink& out) {
    data_file::writeFile(input, kHeaderLines, kColumns, out);
}

std::string inputDataFileBytes(const Table& input) {
    return data_file::fileBytes(input, kHeaderLines, kColumns);
}

std::vector<InputRecord> parseInputDataFile(std::string_view bytes, std::string_view fileName) {
    return data_file::parseRecords<6>(bytes, fileName, data_file::RowNumberToken::Integer,
                                      kColumns);
}

std::vector<InputRecord> readInputDataFile(const ByteSource& source, std::string_view fileName) {
    return data_file::readRecords<6>(source, fileName, data_file::RowNumberToken::Integer,
                                     kColumns);
}

InputDataFileReader::InputDataFileReader(ByteSource source, std::string_view fileName)
    : reader_(std::move(source), fileName, data_file::RowNumberToken::Integer, kColumns) {}

bool InputDataFileReader::next(InputRecord& record) {
    return reader_.next(record);
}

void inputCellTexts(const InputRecord& record, std::array<std::string, 6>& cells,
                    InputRecord& numbers) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i].clear();
        numbers[i] = data_file::appendCellText(cells[i], record[i], kColumns[i]);
    }
}

void applyInputDataFile(Table& input, int n, const std::vector<InputRecord>& records) {
    data_file::applyRecords<6>(input, n, records, kColumns);
}

}  // namespace talveno
