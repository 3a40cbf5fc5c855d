#pragma once

#include "core/failure.h"

// The failures of the printed listings besides a cell that holds no number.
namespace talveno::print_failures {

// The system has no default printer, also when it has no printer at all.
Failure noDefaultPrinter();
// The print job could not begin on the printer chosen, or its listing could not be written.
Failure printJobFailed();
// A listing of more pages than the printing side can take: its page count and that limit.
Failure tooManyPages(int pages, int limit);

}  // namespace talveno::print_failures
