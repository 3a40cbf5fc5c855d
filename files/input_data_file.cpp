#include "files/input_data_file.h"

#include "files/data_file.h"
#include "files/file_system.h"

namespace talveno {

namespace {

constexpr std::array<data_file::FieldFormat, 6> kFields = {
    {{7, 1}, {7, 1}, {10, 3}, {7, 1}, {7, 1}, {7, 1}}};

const std::optional<std::string> kHeaderLines = data_file::headerLines({
    "　No 　 pen   soft   loadtime　temp 　asvol　 void",
    "  　　 0.1mm   ℃  　   秒      ℃   　% 　    %",
});

}  // namespace

std::string inputDataFileBytes(const Table& input) {
    return data_file::fileBytes(input, data_file::encoded(kHeaderLines), kFields);
}

void saveInputDataFile(const Table& input, const std::string& path) {
    file_system::replaceFile(path, inputDataFileBytes(input));
}

std::vector<InputRecord> parseInputDataFile(std::string_view bytes) {
    return data_file::parseRecords<6>(bytes, data_file::RowNumberToken::Integer, kFields);
}

std::vector<InputRecord> readInputDataFile(const std::string& path) {
    file_system::InputFile file(path);
    return readInputDataFile(file);
}

std::vector<InputRecord> readInputDataFile(file_system::InputFile& file) {
    return data_file::readRecordFile<6>(file, data_file::RowNumberToken::Integer, kFields);
}

InputDataFileReader::InputDataFileReader(file_system::InputFile& file)
    : reader_([&file](char* buffer, std::size_t size) { return file.read(buffer, size); },
              data_file::RowNumberToken::Integer, kFields) {}

bool InputDataFileReader::next(InputRecord& record) {
    return reader_.next(record);
}

void inputCellTexts(const InputRecord& record, std::array<std::string, 6>& cells,
                    InputRecord& numbers) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i].clear();
        numbers[i] = data_file::appendCellText(cells[i], record[i], kFields[i]);
    }
}

void applyInputDataFile(Table& input, int n, const std::vector<InputRecord>& records) {
    data_file::applyRecords<6>(input, n, records, kFields);
}

}  // namespace talveno
