// The example files of the README and the package: each holds the bytes the program writes,
// and the result file is what the batch command computes from the input data file now.
#include <gtest/gtest.h>

#include "batch_runner.h"
#include "formats/result_file.h"

namespace talveno::testing {
namespace {

const std::string kExamples = TALVENO_EXAMPLES;

TEST(Examples, read_and_saved_again_give_the_same_bytes) {
    const std::string input = fileContent(kExamples + "/cases.dat");
    Table inputTable = layouts::makeInputTable();
    applyInputDataFile(inputTable, 50, parseInputDataFile(input, "cases.dat"));
    EXPECT_EQ(inputDataFileBytes(inputTable), input);

    const std::string result = fileContent(kExamples + "/cases.mpa");
    Table resultTable = layouts::makeResultTable();
    applyResultFile(resultTable, 50, parseResultFile(result, "cases.mpa"));
    EXPECT_EQ(resultFileBytes(resultTable, StiffnessUnit::Mpa), result);
}

TEST(Examples, result_file_is_what_the_batch_command_computes) {
    const Outcome outcome = runBatch(kExamples, "--quiet -o - cases.dat");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, fileContent(kExamples + "/cases.mpa"));
}

}  // namespace
}  // namespace talveno::testing
