#pragma once

// The batch command run as a process, and input data files for it.

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../file_test_support.h"
#include "disk/disk_files.h"
#include "formats/input_data_file.h"
#include "tables/layouts.h"

namespace talveno::testing {

struct Outcome {
    int status;
    std::string out, err;
};

// Runs the command with the arguments (shell words) in the folder; `prefix` goes before the
// command (another user's ids), `stdoutTo` takes its standard output.
inline Outcome runBatch(const std::string& folder, const std::string& arguments,
                        const std::string& prefix = "", const std::string& stdoutTo = "") {
    const TempFolder logs;
    const std::string out = stdoutTo.empty() ? logs / "stdout.txt" : stdoutTo;
    const std::string err = logs / "stderr.txt";
    const std::string command = "cd '" + folder + "' && " + prefix + " '" TALVENO_BATCH "' " +
                                arguments + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, stdoutTo.empty() ? fileContent(out) : "",
            fileContent(err)};
}

// An input data file of that many rows, four kinds of cases in turn (voids above 3 % for the
// correction); row 3 takes the asphalt volume given.
inline void writeCases(const std::string& path, int rows, const char* asphaltOfRow3 = "12") {
    const std::vector<std::vector<std::string>> kinds = {{"60", "50", "0.02", "25", "12", "4"},
                                                         {"80", "47.5", "0.1", "10", "12.3", "4.5"},
                                                         {"40", "55", "1", "30", "10", "6"},
                                                         {"120", "45", "0.02", "40", "13", "3"}};
    Table input = layouts::makeInputTable();
    std::vector<std::vector<std::string>> cases;
    for (int row = 0; row < rows; ++row) cases.push_back(kinds[row % kinds.size()]);
    if (rows >= 3) cases[2][4] = asphaltOfRow3;
    fillRows(input, cases);
    saveInputDataFile(input, path);
}

}  // namespace talveno::testing
