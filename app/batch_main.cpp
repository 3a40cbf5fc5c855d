// talveno-batch: computes a whole input data file into a result file, through the same
// reader, tables, calculation run and writer as the window.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/batch_listings.h"
#include "core/calculation_run.h"
#include "core/failure.h"
#include "files/file_failures.h"
#include "files/file_system.h"
#include "files/input_data_file.h"
#include "files/result_file.h"
#include "print/listings.h"
#include "tables/layouts.h"
#include "tables/start_command.h"

namespace {

using namespace talveno;

constexpr const char* kUsage =
    "usage: talveno-batch [--unit MPa|kgf/cm2] [--van-draat] [-o OUTPUT] [--listing FILE]\n"
    "                     [--input-listing FILE] INPUT\n"
    "Computes every row of the input data file INPUT (*.dat) and writes the result file.\n"
    "  --unit MPa|kgf/cm2  unit of Sbit and Smix (default MPa)\n"
    "  --van-draat         apply the Van Draat correction to mixtures with more than 3 % voids\n"
    "  -o OUTPUT           result file (default INPUT with the extension .mpa or .kgf)\n"
    "  --listing FILE      also write the printed listing of the results, titled OUTPUT\n"
    "  --input-listing FILE\n"
    "                      also write the printed listing of INPUT, titled INPUT\n"
    "A listing FILE ending in .pdf is a PDF of A4 pages; any other is UTF-8 text.\n";

// The maximum data count of a fresh window.
constexpr int kDefaultDataCount = 50;

// A command line that asks for nothing the command can do; the text says what was wrong.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    CalculationSettings settings;
    std::string input;
    std::string output;
    std::string listing;
    std::string inputListing;
    bool help = false;
};

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// The unit of a name in any case ("mpa", "KGF/CM2").
StiffnessUnit unitNamed(std::optional<std::string_view> name) {
    if (!name) throw UsageError("--unit needs a unit (MPa or kgf/cm2)");
    for (const StiffnessUnit unit : {StiffnessUnit::Mpa, StiffnessUnit::KgfPerCm2})
        if (equalIgnoringCase(*name, unitName(unit))) return unit;
    throw UsageError("unknown unit '" + std::string(*name) + "' (MPa or kgf/cm2)");
}

// The options; a usage error is thrown.
Options parseOptions(int argc, char* argv[]) {
    Options options;
    bool inputSeen = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 == argc) return std::nullopt;
            return argv[++i];
        };
        if (!optionsEnded && argument == "--help") {
            options.help = true;
            return options;
        }
        if (!optionsEnded && (argument == "--unit" || argument.starts_with("--unit="))) {
            options.settings.unit =
                unitNamed(argument == "--unit" ? value() : std::optional(argument.substr(7)));
        } else if (!optionsEnded && argument == "--van-draat") {
            options.settings.vanDraat = true;
        } else if (!optionsEnded && argument == "-o") {
            const auto output = value();
            if (!output || output->empty()) throw UsageError("-o needs a file name");
            options.output = *output;
        } else if (!optionsEnded && (argument == "--listing" || argument == "--input-listing")) {
            const auto file = value();
            if (!file || file->empty())
                throw UsageError(std::string(argument) + " needs a file name");
            (argument == "--listing" ? options.listing : options.inputListing) = *file;
        } else if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            throw UsageError("unknown option '" + std::string(argument) + "'");
        } else {
            if (argument.empty()) throw UsageError("empty input file name");
            if (inputSeen)
                throw UsageError("more than one input file: '" + std::string(argument) + "'");
            options.input = argument;
            inputSeen = true;
        }
    }
    if (!inputSeen) throw UsageError("no input file");
    if (options.output.empty()) {
        std::filesystem::path output(options.input);
        output.replace_extension(std::string(".") +
                                 std::string(resultFileExtension(options.settings.unit)));
        options.output = output.string();
    }
    return options;
}

// Whether two paths name one file: the same existing file, or the same path.
bool sameTarget(const std::string& a, const std::string& b) {
    const auto first = file_system::identityOf(a);
    if (first && first == file_system::identityOf(b)) return true;
    std::error_code ignored;
    return std::filesystem::absolute(a, ignored).lexically_normal() ==
           std::filesystem::absolute(b, ignored).lexically_normal();
}

// What is wrong with the listings asked for, or nothing.
std::optional<std::string> listingProblem(const Options& options) {
    for (const std::string* listing : {&options.listing, &options.inputListing}) {
        if (listing->empty()) continue;
        if (batch::isPdfListing(*listing) && !batch::pdfListingsAvailable())
            return "this build writes no PDF listings (it was built without Qt): " + *listing;
        if (sameTarget(*listing, options.input) || sameTarget(*listing, options.output))
            return "the listing would replace the input or the result file: " + *listing;
    }
    if (!options.listing.empty() && sameTarget(options.listing, options.inputListing))
        return "both listings would go to the same file: " + options.listing;
    return std::nullopt;
}

// The window's reading of the input file and its calculation button, then the result file's
// saving. A file's failure names the file; an output that is the input file itself, by
// whatever path, is a usage error.
void run(const Options& options) {
    using file_failures::FileRole;
    const std::vector<InputRecord> records =
        file_failures::onFile(FileRole::Input, options.input, [&] {
            file_system::InputFile file(options.input);
            if (file_system::identityOf(options.output) == file.identity())
                throw UsageError("the result file would replace the input file");
            return readInputDataFile(file);
        });
    const int n = std::max(static_cast<int>(records.size()), kDefaultDataCount);
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();
    startTables(input, result, std::to_string(n));
    applyInputDataFile(input, n, records);
    clearResults(result, n);
    layOutResults(result, n, options.settings.unit);
    computeFilledRows(input, result, options.settings);
    file_failures::onFile(FileRole::Output, options.output,
                          [&] { saveResultFile(result, options.settings.unit, options.output); });

    std::vector<batch::ListingFile> listings;
    if (!options.inputListing.empty())
        listings.push_back({options.inputListing, [&](ListingSink& sink) {
                                writeInputListing(input, options.input, sink);
                            }});
    if (!options.listing.empty())
        listings.push_back({options.listing, [&](ListingSink& sink) {
                                writeResultListing(result, options.settings.unit, options.output,
                                                   sink);
                            }});
    batch::writeListings(listings);
}

// The usage after the line saying what was wrong; status 2.
int usageError(const char* what) {
    std::fprintf(stderr, "talveno-batch: %s\n%s", what, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    Options options;
    try {
        options = parseOptions(argc, argv);
    } catch (const UsageError& error) {
        return usageError(error.what());
    }
    if (options.help) {
        // The help text counts as written only once it has left the buffer.
        if (std::fputs(kUsage, stdout) == EOF || std::fflush(stdout) != 0) {
            std::fprintf(stderr, "talveno-batch: cannot write the help text: %s\n",
                         std::strerror(errno));
            return 1;
        }
        return 0;
    }
    if (const auto problem = listingProblem(options)) return usageError(problem->c_str());
    try {
        run(options);
    } catch (const UsageError& error) {
        return usageError(error.what());
    } catch (const Failure& failure) {
        std::string text = withFullStop(failure.message());
        if (failure.row() > 0) text += "\n(No. " + std::to_string(failure.row()) + ")";
        std::fprintf(stderr, "%s\n", text.c_str());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talveno-batch: %s\n", error.what());
        return 1;
    }
    return 0;
}
