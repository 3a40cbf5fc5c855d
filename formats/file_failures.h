#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/failure.h"

// The failures of saving and reading the data files.
namespace talveno::file_failures {

// The file to read does not exist.
Failure fileNotFound();
// The folder of the path does not exist, or the path names no file at all.
Failure invalidFileName();
// The process or the system holds too many open files.
Failure tooManyOpenFiles();
// No permission, a read-only file, or a folder where a file is expected.
Failure accessDenied();
// A block device or a socket, which a data file never replaces.
Failure blockDeviceOrSocket();
// Any other system error, with its number.
Failure ioError(int error);
// Another save of the file did not end in time.
Failure fileInUse(std::string_view path);
// A folder, a FIFO, a device or a socket where a file to read is expected.
Failure notAFile(std::string_view path, bool folder);

// The failure of a system error number met while opening, creating, reading or writing a file
// that lies in an existing folder.
Failure systemFailure(int error);

// A token of a record is not a number of the kind its place requires, or the file ends
// inside a record.
Failure notANumberToken();
// A file read for its records holds none and is no data file: it is empty (no byte before its
// end), or its header lines are no CP932 text. Each names the file as the user chose it.
Failure emptyFile(std::string_view name);
Failure notTextFile(std::string_view name);
// A file holds more records than a table may have data rows (the limit).
Failure tooManyRecords(int limit);

// The failure with a second line naming the file line where reading stopped: "(12 行目)".
Failure atLine(const Failure& failure, std::int64_t line);

// Which file of a command a failure concerns, where a command has two, or the folder where a
// save keeps its content until the end.
enum class FileRole { Input, Output, TemporaryFolder };

// The failure with a last line naming the file: "(入力ファイル: cases.dat)", or
// "(出力ファイル: …)" for the output, "(一時フォルダ: /tmp)" for the folder.
Failure inFile(const Failure& failure, FileRole role, std::string_view path);

// Runs the call on the file; a failure it throws comes back naming the file.
template <typename Call>
auto onFile(FileRole role, const std::string& path, Call&& call) -> decltype(call()) {
    try {
        return call();
    } catch (const Failure& failure) {
        throw inFile(failure, role, path);
    }
}

}  // namespace talveno::file_failures
