// talveno-batch: computes a whole input data file into a result file, through the same
// reader, tables, calculation run and writer as the window.

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/batch_listings.h"
#include "core/calculation_run.h"
#include "core/failure.h"
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

struct Options {
    CalculationSettings settings;
    std::string input;
    std::string output;
    std::string listing;
    std::string inputListing;
    bool help = false;
};

std::optional<StiffnessUnit> unitNamed(std::string_view name) {
    for (const StiffnessUnit unit : {StiffnessUnit::Mpa, StiffnessUnit::KgfPerCm2})
        if (name == unitName(unit)) return unit;
    return std::nullopt;
}

// The options, or nothing on a usage error.
std::optional<Options> parseOptions(int argc, char* argv[]) {
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
            const auto name = argument == "--unit" ? value() : std::optional(argument.substr(7));
            const auto unit = name ? unitNamed(*name) : std::nullopt;
            if (!unit) return std::nullopt;
            options.settings.unit = *unit;
        } else if (!optionsEnded && argument == "--van-draat") {
            options.settings.vanDraat = true;
        } else if (!optionsEnded && argument == "-o") {
            const auto output = value();
            if (!output || output->empty()) return std::nullopt;
            options.output = *output;
        } else if (!optionsEnded && (argument == "--listing" || argument == "--input-listing")) {
            const auto file = value();
            if (!file || file->empty()) return std::nullopt;
            (argument == "--listing" ? options.listing : options.inputListing) = *file;
        } else if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            return std::nullopt;
        } else {
            if (inputSeen || argument.empty()) return std::nullopt;
            options.input = argument;
            inputSeen = true;
        }
    }
    if (!inputSeen) return std::nullopt;
    if (options.output.empty()) {
        std::filesystem::path output(options.input);
        output.replace_extension(std::string(".") +
                                 std::string(resultFileExtension(options.settings.unit)));
        options.output = output.string();
    }
    return options;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Whether two paths name one file: the same existing file, or the same path.
bool sameTarget(const std::string& a, const std::string& b) {
    std::error_code ignored;
    return sameFile(a, b) || std::filesystem::absolute(a, ignored).lexically_normal() ==
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
// saving.
void run(const Options& options) {
    const std::vector<InputRecord> records = readInputDataFile(options.input);
    const int n = std::max(static_cast<int>(records.size()), kDefaultDataCount);
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();
    startTables(input, result, std::to_string(n));
    applyInputDataFile(input, n, records);
    clearResults(result, n);
    layOutResults(result, n, options.settings.unit);
    computeFilledRows(input, result, options.settings);
    saveResultFile(result, options.settings.unit, options.output);

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

}  // namespace

int main(int argc, char* argv[]) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (sameFile(options->input, options->output)) {
        std::fputs("talveno-batch: the result file would replace the input file\n", stderr);
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (const auto problem = listingProblem(*options)) {
        std::fprintf(stderr, "talveno-batch: %s\n", problem->c_str());
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        run(*options);
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
