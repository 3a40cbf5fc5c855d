// talveno-batch: computes a whole input data file into a result file, row by row as the
// window reads the file, runs the calculation and saves the results, in memory that stays the
// same whatever the count of rows.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/batch_curves.h"
#include "app/batch_listings.h"
#include "app/batch_progress.h"
#include "core/failure.h"
#include "core/messages.h"
#include "disk/file_calculation.h"
#include "formats/file_failures.h"
#include "posix/file_system.h"
#include "tables/calculation_run.h"

namespace {

using namespace talveno;

constexpr const char* kUsage =
    "usage: talveno-batch [--unit MPa|kgf/cm2] [--van-draat] [-o OUTPUT] [--listing FILE]\n"
    "                     [--input-listing FILE] [--curves CSV --temperatures FROM:TO:STEP\n"
    "                     --loading-times T1,T2,...] [--quiet] [--threads N] INPUT\n"
    "Computes every row of the input data file INPUT (*.dat) and writes the result file.\n"
    "  --unit MPa|kgf/cm2  unit of Sbit and Smix (default MPa)\n"
    "  --van-draat         apply the Van Draat correction to mixtures with more than 3 % voids\n"
    "  -o OUTPUT           result file (default INPUT with the extension .mpa or .kgf)\n"
    "  --listing FILE      also write the printed listing of the results, titled OUTPUT\n"
    "  --input-listing FILE\n"
    "                      also write the printed listing of INPUT, titled INPUT\n"
    "  --curves CSV        also write each row's Sbit and Smix at every temperature and\n"
    "                      loading time of the grid, as CSV (UTF-8 with a byte order mark)\n"
    "  --temperatures FROM:TO:STEP\n"
    "                      the grid's temperatures in °C, such as -10:60:5\n"
    "  --loading-times T1,T2,...\n"
    "                      the grid's loading times in s, such as 0.02,0.1,1\n"
    "  --quiet             no report line on standard error\n"
    "  --threads N         compute on N threads (default: one per processor)\n"
    "  --version           print the version\n"
    "INPUT - reads standard input; OUTPUT - (the default for INPUT -) and CSV - write\n"
    "standard output. A listing FILE ending in .pdf is a PDF of A4 pages; any other is UTF-8\n"
    "text. The grid has at most 100000 points a row.\n";

// The name of standard input as INPUT and of standard output as OUTPUT.
constexpr std::string_view kStandardStream = "-";

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
    std::string curves;  // the CSV of the curves' points, with the grid's texts
    std::optional<std::string_view> temperatures;
    std::optional<std::string_view> loadingTimes;
    batch::CurveGrid grid;
    int threads = 0;  // 0: one per processor
    bool quiet = false;
    bool help = false;
    bool version = false;
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

// The count of threads, from 1 to 64.
int threadCount(std::optional<std::string_view> text) {
    int count = 0;
    if (!text ||
        std::from_chars(text->data(), text->data() + text->size(), count).ptr !=
            text->data() + text->size() ||
        count < 1 || count > 64)
        throw UsageError("--threads needs a count from 1 to 64");
    return count;
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
        if (!optionsEnded && (argument == "--help" || argument == "--version")) {
            (argument == "--help" ? options.help : options.version) = true;
            return options;
        }
        if (!optionsEnded && (argument == "--unit" || argument.starts_with("--unit="))) {
            options.settings.unit =
                unitNamed(argument == "--unit" ? value() : std::optional(argument.substr(7)));
        } else if (!optionsEnded && argument == "--van-draat") {
            options.settings.vanDraat = true;
        } else if (!optionsEnded && argument == "--quiet") {
            options.quiet = true;
        } else if (!optionsEnded && argument == "--threads") {
            options.threads = threadCount(value());
        } else if (!optionsEnded && argument == "-o") {
            const auto output = value();
            if (!output || output->empty()) throw UsageError("-o needs a file name");
            options.output = *output;
        } else if (!optionsEnded && (argument == "--listing" || argument == "--input-listing")) {
            const auto file = value();
            if (!file || file->empty())
                throw UsageError(std::string(argument) + " needs a file name");
            (argument == "--listing" ? options.listing : options.inputListing) = *file;
        } else if (!optionsEnded && argument == "--curves") {
            const auto file = value();
            if (!file || file->empty()) throw UsageError("--curves needs a file name");
            options.curves = *file;
        } else if (!optionsEnded &&
                   (argument == "--temperatures" || argument == "--loading-times")) {
            const auto grid = value();
            if (!grid) throw UsageError(std::string(argument) + " needs a value");
            (argument == "--temperatures" ? options.temperatures : options.loadingTimes) = grid;
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
    const int curveOptions = !options.curves.empty() + options.temperatures.has_value() +
                             options.loadingTimes.has_value();
    if (curveOptions != 0 && curveOptions != 3)
        throw UsageError("--curves, --temperatures and --loading-times go together");
    if (!options.curves.empty()) {
        try {
            options.grid = batch::curveGrid(*options.temperatures, *options.loadingTimes);
        } catch (const std::invalid_argument& error) {
            throw UsageError(error.what());
        }
    }
    if (options.output.empty() && options.input == kStandardStream)
        options.output = kStandardStream;
    if (options.output.empty()) {
        std::filesystem::path output(options.input);
        output.replace_extension(std::string(".") +
                                 std::string(resultFileExtension(options.settings.unit)));
        options.output = output.string();
    }
    return options;
}

// A file argument: a path, or "-" for the standard stream given.
struct FileArgument {
    const std::string& path;
    int standardStream;
};

// The existing file an argument names: for "-", the regular file the stream is open on.
std::optional<file_system::FileIdentity> identityOf(const FileArgument& file) {
    return file.path == kStandardStream ? file_system::regularFileOn(file.standardStream)
                                        : file_system::identityOf(file.path);
}

// Whether two arguments name one file: the same stream, the same existing file, the same name
// in the same folder (links followed, the file still to be made), or the same path.
bool sameTarget(const FileArgument& a, const FileArgument& b) {
    const auto first = identityOf(a);
    if (first && first == identityOf(b)) return true;
    if (a.path == kStandardStream || b.path == kStandardStream)
        return a.path == b.path && a.standardStream == b.standardStream;
    const auto place = file_system::placeOf(a.path);
    if (place && place == file_system::placeOf(b.path)) return true;
    std::error_code ignored;
    return std::filesystem::absolute(a.path, ignored).lexically_normal() ==
           std::filesystem::absolute(b.path, ignored).lexically_normal();
}

// What is wrong with the listings and the curves asked for, or nothing.
std::optional<std::string> listingProblem(const Options& options) {
    const FileArgument input{options.input, STDIN_FILENO};
    const FileArgument output{options.output, STDOUT_FILENO};
    for (const std::string* listing : {&options.listing, &options.inputListing}) {
        if (listing->empty()) continue;
        if (batch::isPdfListing(*listing) && !batch::pdfListingsAvailable())
            return "this build writes no PDF listings (it was built without Qt): " + *listing;
        const FileArgument file{*listing, STDOUT_FILENO};
        if (sameTarget(file, input) || sameTarget(file, output))
            return "the listing would replace the input or the result file: " + *listing;
    }
    if (!options.listing.empty() &&
        sameTarget({options.listing, STDOUT_FILENO}, {options.inputListing, STDOUT_FILENO}))
        return "both listings would go to the same file: " + options.listing;
    if (!options.curves.empty()) {
        const FileArgument curves{options.curves, STDOUT_FILENO};
        if (sameTarget(curves, input) || sameTarget(curves, output))
            return "the curves would replace the input or the result file: " + options.curves;
        for (const std::string* listing : {&options.listing, &options.inputListing})
            if (!listing->empty() && sameTarget(curves, {*listing, STDOUT_FILENO}))
                return "the curves and a listing would go to the same file: " + options.curves;
    }
    return std::nullopt;
}

std::function<file_system::FileReplacement()> opening(const std::string& path) {
    if (path == kStandardStream)
        return [] { return file_system::FileReplacement::intoDescriptor(STDOUT_FILENO); };
    return [path] { return file_system::FileReplacement(path); };
}

// The outputs: the result file first, then the listings and the curves asked for.
std::vector<std::unique_ptr<CalculationOutput>> outputsOf(const Options& options) {
    std::vector<std::unique_ptr<CalculationOutput>> outputs;
    outputs.push_back(std::make_unique<ResultFileOutput>(opening(options.output), options.output,
                                                         options.settings.unit));
    using Kind = batch::ListingRequest::Kind;
    if (!options.inputListing.empty())
        outputs.push_back(batch::listingOutput(
            {Kind::Input, options.inputListing, options.input, options.settings.unit},
            opening(options.inputListing)));
    if (!options.listing.empty())
        outputs.push_back(batch::listingOutput(
            {Kind::Result, options.listing, options.output, options.settings.unit},
            opening(options.listing)));
    if (!options.curves.empty())
        outputs.push_back(batch::curvesOutput(options.grid, options.settings.unit,
                                              opening(options.curves), options.curves));
    return outputs;
}

// The threads that compute beside the one that reads: none where one thread computes.
int computingThreads(int threads) {
    if (threads == 0) threads = static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
    return threads == 1 ? 0 : threads;
}

// The window's reading of the input file and its calculation button, then the result file's
// saving and the listings' printing, row by row. A file's failure names the file; an output
// that is the input file itself, by whatever path, is a usage error.
void run(const Options& options) {
    using file_failures::FileRole;
    const bool standardInput = options.input == kStandardStream;
    std::optional<file_system::InputFile> input;
    file_failures::onFile(FileRole::Input, options.input, [&] {
        if (standardInput)
            input.emplace(STDIN_FILENO);
        else
            input.emplace(options.input);
        const auto output = options.output == kStandardStream
                                ? file_system::regularFileOn(STDOUT_FILENO)
                                : file_system::identityOf(options.output);
        if (output && output == input->identity())
            throw UsageError("the result file would replace the input file");
    });
    batch::Progress progress(!options.quiet && ::isatty(STDERR_FILENO), input->size());
    const auto outputs = outputsOf(options);
    std::vector<CalculationOutput*> order;
    for (const auto& output : outputs) order.push_back(output.get());
    FileCalculationOptions calculation{
        options.settings, computingThreads(options.threads),
        [&](std::int64_t rows, std::uint64_t bytesRead) { progress.update(rows, bytesRead); }};
    // On a failure the progress line goes as the stack unwinds, before the message.
    const std::int64_t rows = calculateFile(*input, options.input, order, calculation);
    progress.clear();
    if (!options.quiet)
        std::fprintf(
            stderr, "%s\n",
            batch::report(rows, options.output, std::chrono::steady_clock::now() - progress.start())
                .c_str());
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
    if (options.help || options.version) {
        const std::string text = options.help ? kUsage : "talveno-batch " TALVENO_VERSION "\n";
        // The text counts as written only once it has left the buffer.
        if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
            std::fprintf(stderr, "talveno-batch: cannot write the %s: %s\n",
                         options.help ? "help text" : "version", std::strerror(errno));
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
        std::fprintf(stderr, "%s\n", errorBoxText(failure.message(), failure.row()).c_str());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", withFullStop(messages::outOfMemory().message()).c_str());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talveno-batch: %s\n", error.what());
        return 1;
    }
    return 0;
}
