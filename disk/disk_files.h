#pragma once

#include <string>
#include <vector>

#include "core/stiffness_unit.h"
#include "formats/byte_streams.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "posix/file_system.h"
#include "tables/table.h"

// The data files on the desktop's file system: each format's writer streamed into a file that
// is replaced only when complete, and its reader fed from a file.
namespace talveno {

// The bytes of an open file, as the readers take them.
ByteSource bytesOf(file_system::InputFile& file);

// Writes the file at the path, replacing it only when complete; a failure leaves an existing
// file as it was. The file's failures come before the cells'.
void saveInputDataFile(const Table& input, const std::string& path);
void saveResultFile(const Table& result, StiffnessUnit unit, const std::string& path);

// The records of the file at the path, or of an open file of that path, with the file's
// failures and the readers'. Nothing is written anywhere. A path must lead to a regular file: a
// folder, a FIFO or a device is refused with a message naming it, without waiting.
std::vector<InputRecord> readInputDataFile(const std::string& path);
std::vector<InputRecord> readInputDataFile(file_system::InputFile& file, const std::string& path);
std::vector<ResultRecord> readResultFile(const std::string& path);
std::vector<ResultRecord> readResultFile(file_system::InputFile& file, const std::string& path);

}  // namespace talveno
