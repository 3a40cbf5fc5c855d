#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_streams.h"
#include "formats/data_file.h"
#include "tables/table.h"

// The input data file (*.dat): two header lines, then one line per filled row of the input
// table with its row number and six fixed fields; CP932 text with CR LF line ends.
namespace talveno {

// The six values of a data line: penetration, softening point, loading time, temperature,
// asphalt volume and void percentage (input columns 1 to 6).
using InputRecord = std::array<double, 6>;

// Writes the file for the filled rows of the input table into the sink, a block at a time.
// Throws the number message naming the first cell that holds no number.
void writeInputDataFile(const Table& input, const ByteSink& out);

// The file's bytes, as writeInputDataFile writes them.
std::string inputDataFileBytes(const Table& input);

// The records of a file's bytes or of a byte stream (fileName: the file as the user chose it).
// Nothing is written anywhere: a failure (a token that is no number, a record cut short by the
// end of the file, more than a million records) is thrown before any table is touched, naming
// the file line where reading stopped; a file without a record that is empty or not text is
// refused, naming the file.
std::vector<InputRecord> parseInputDataFile(std::string_view bytes, std::string_view fileName);
std::vector<InputRecord> readInputDataFile(const ByteSource& source, std::string_view fileName);

// Reads the records of a byte stream one at a time, by the rules and with the failures of
// readInputDataFile.
class InputDataFileReader {
  public:
    InputDataFileReader(ByteSource source, std::string_view fileName);

    // The next record; false after the last.
    bool next(InputRecord& record);

    // How many bytes of the file were read so far.
    std::uint64_t bytesRead() const { return reader_.bytesRead(); }

  private:
    data_file::RecordReader<6> reader_;
};

// The texts that reading writes into input columns 1 to 6 for the record (1 decimal, 3 for the
// loading time), each in place of the former text of cells[column - 1], and the numbers they
// read as.
void inputCellTexts(const InputRecord& record, std::array<std::string, 6>& cells,
                    InputRecord& numbers);

// Empties columns 1 to 6 of every row the table holds (rows 1 to n at least), then writes
// record k into row k (beyond the row count too) in the cell form: 1 decimal, 3 for the
// loading time.
void applyInputDataFile(Table& input, int n, const std::vector<InputRecord>& records);

}  // namespace talveno
