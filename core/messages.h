#pragma once

#include <string>
#include <string_view>

#include "core/failure.h"

// The system's fixed failure messages, shared by all commands.
namespace talveno::messages {

// A box or a count read as an integer holds no integer text.
Failure notAnInteger(std::string_view text);
// A table cell holds no number text.
Failure notANumber(std::string_view text);
// Floating-point division by zero, also the logarithm of zero.
Failure divisionByZero();
// Invalid floating-point operation: the logarithm of a negative number, 0/0, a value beyond
// the 64-bit integer range where an integer is required.
Failure invalidOperation();
// A result too large for a double.
Failure overflow();
// A row index below the table's first row.
Failure rowIndexOutOfRange(long long index);
// Softening point minus temperature outside the temperature-difference scale of the nomograph.
Failure temperatureDifferenceOutOfRange(double difference);
// A point softer than the softest stiffness curve of the nomograph.
Failure nomographOutOfRange();
// The memory a command needs is more than the system gives: the command stops, and a read
// leaves the tables as they were.
Failure outOfMemory();

}  // namespace talveno::messages
