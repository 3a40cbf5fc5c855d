// The engine as a WebAssembly module for a front end in JavaScript (talveno-engine.js): the two
// tables and the commands on them, the data files as bytes, the listings, and the nomograph's
// look-up with the tables it is drawn from. The interface is described in engine_module.md.

#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <limits>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/extrapolation.h"
#include "core/failure.h"
#include "core/full_width_numbers.h"
#include "core/messages.h"
#include "core/nomograph.h"
#include "core/nomograph_geometry.h"
#include "core/nomograph_tables.h"
#include "core/number_text.h"
#include "core/stiffness_curves.h"
#include "formats/file_failures.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "print/drawing_surface.h"
#include "print/listings.h"
#include "print/page_lines.h"
#include "print/print_failures.h"
#include "print/print_stream.h"
#include "tables/calculation_run.h"
#include "tables/cell_block.h"
#include "tables/layouts.h"
#include "tables/max_data_count.h"
#include "tables/paste.h"
#include "tables/row_editing.h"
#include "tables/start_command.h"
#include "window/help_messages.h"
#include "window/window_texts.h"

namespace {

using emscripten::val;
using namespace talveno;

// A JavaScript Error whose message is the engine's. A failure of the user's data or files, or
// of the memory the module may have, is named "Failure", and a row failure of the run names its
// row; any other error is a fault of the program, its message the fault's own text.
// clang-format off
EM_JS(void, throwEngineError, (const char* message, int row, int failure), {
    const error = new Error(UTF8ToString(message));
    if (failure) error.name = "Failure";
    if (row > 0) error.row = row;
    throw error;
});
// clang-format on

// Runs a command; its failure leaves as a JavaScript Error once the C++ exception is over.
template <typename Command>
auto guarded(Command&& command) -> decltype(command()) {
    static std::string message;
    int row = 0;
    bool failure = false;
    try {
        return command();
    } catch (const Failure& failed) {
        message = failed.message();
        row = failed.row();
        failure = true;
    } catch (const std::bad_alloc&) {
        message = messages::outOfMemory().message();
        failure = true;
    } catch (const std::exception& error) {
        message = error.what();
    }
    throwEngineError(message.c_str(), row, failure ? 1 : 0);
    throw std::logic_error("unreachable");
}

StiffnessUnit unitOf(int unit) {
    if (unit != 0 && unit != 1) throw std::invalid_argument("unit: 0 (MPa) or 1 (kgf/cm2)");
    return unit == 0 ? StiffnessUnit::Mpa : StiffnessUnit::KgfPerCm2;
}

// The bytes of a Uint8Array; one larger than the module's memory can hold is out of memory.
std::string bytesOf(const val& bytes) {
    const double length = bytes["length"].as<double>();
    if (length > static_cast<double>(std::string().max_size())) throw std::bad_alloc();
    std::string text(static_cast<std::size_t>(length), '\0');
    val(emscripten::typed_memory_view(text.size(), reinterpret_cast<std::uint8_t*>(text.data())))
        .call<void>("set", bytes);
    return text;
}

val uint8Array(const std::string& bytes) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(),
                                            reinterpret_cast<const std::uint8_t*>(bytes.data())));
}

val point(nomograph::Point p) {
    val object = val::object();
    object.set("x", p.x);
    object.set("y", p.y);
    return object;
}

// The printer's side of a listing, in JavaScript.
class JsSurface : public DrawingSurface {
  public:
    explicit JsSurface(val surface) : surface_(std::move(surface)) {}

    int pageWidth() const override { return surface_.call<int>("pageWidth"); }
    int pageHeight() const override { return surface_.call<int>("pageHeight"); }
    int textWidth(std::string_view text) const override {
        return surface_.call<int>("textWidth", std::string(text));
    }
    int characterHeight() const override { return surface_.call<int>("characterHeight"); }
    void drawText(int x, int y, std::string_view text) override {
        surface_.call<void>("drawText", x, y, std::string(text));
    }
    void newPage() override { surface_.call<void>("newPage"); }

  private:
    val surface_;
};

// A copy of the numbers as a JavaScript typed array.
template <typename Number>
val typedArray(const std::vector<Number>& numbers) {
    return val(emscripten::typed_memory_view(numbers.size(), numbers.data())).call<val>("slice");
}

// The pages' metrics the print view gives, its font's characters measured there.
PageLines::Metrics pageMetrics(val surface) {
    return {surface.call<int>("pageWidth"), surface.call<int>("pageHeight"),
            surface.call<int>("characterHeight"), [surface](std::string_view character) {
                return surface.call<double>("characterWidth", std::string(character));
            }};
}

// Lines of pages as the print view takes them: their texts one after another, each line's
// length in UTF-16 code units, its place, and whether it begins a page.
val linesOfPages(const std::vector<PageLines::Line>& lines) {
    std::string text;
    std::vector<std::int32_t> lengths, lefts, tops;
    std::vector<std::uint8_t> pageStarts;
    for (const PageLines::Line& line : lines) {
        text += line.text;
        std::int32_t units = 0;
        for (const char byte : line.text) {
            const auto code = static_cast<unsigned char>(byte);
            if ((code & 0xC0) != 0x80) units += code >= 0xF0 ? 2 : 1;
        }
        lengths.push_back(units);
        lefts.push_back(line.x);
        tops.push_back(line.y);
        pageStarts.push_back(line.startsPage ? 1 : 0);
    }
    val part = val::object();
    part.set("text", text);
    part.set("lengths", typedArray(lengths));
    part.set("lefts", typedArray(lefts));
    part.set("tops", typedArray(tops));
    part.set("pageStarts", typedArray(pageStarts));
    return part;
}

// The two tables as the window holds them, and the commands on them.
class Session {
  public:
    Session() : input_(layouts::makeInputTable()), result_(layouts::makeResultTable()) {}

    std::string cell(int table, int column, int row) const {
        return guarded([&] { return tableOf(table).cell(column, row); });
    }
    void setCell(int table, int column, int row, const std::string& text) {
        guarded([&] { tableOf(table).setCell(column, row, text); });
    }
    int rowCount(int table) const {
        return guarded([&] { return tableOf(table).rowCount(); });
    }
    int columnCount(int table) const {
        return guarded([&] { return tableOf(table).columnCount(); });
    }
    int columnWidth(int table, int column) const {
        return guarded([&] { return tableOf(table).columnWidth(column); });
    }
    int filledRowCount(int table) const {
        return guarded([&] { return tableOf(table).filledRowCount(); });
    }
    void moveRow(int table, int from, int to) {
        guarded([&] { tableOf(table).moveRow(from, to); });
    }
    void moveColumn(int table, int from, int to) {
        guarded([&] { tableOf(table).moveColumn(from, to); });
    }

    // The texts of `count` rows from firstRow on, every column, as arrays of strings.
    val cellsOfRows(int table, int firstRow, int count) const {
        return guarded([&] {
            const Table& cells = tableOf(table);
            val rows = val::array();
            for (int row = firstRow; row < firstRow + count; ++row) {
                val texts = val::array();
                for (int column = 0; column < cells.columnCount(); ++column)
                    texts.call<void>("push", cells.cell(column, row));
                rows.call<void>("push", texts);
            }
            return rows;
        });
    }

    int start(const std::string& maxCountText) {
        return guarded([&] { return startTables(input_, result_, maxCountText); });
    }

    void run(const std::string& maxCountText, int unit, bool vanDraat) {
        guarded([&] {
            const int n = parseMaxDataCount(maxCountText);
            const CalculationSettings settings{unitOf(unit), vanDraat};
            clearResults(result_, n);
            layOutResults(result_, n, settings.unit);
            computeFilledRows(input_, result_, settings);
        });
    }

    // The copy commands give the row they wrote.
    int copyFirstRow() {
        return guarded([&] { return talveno::copyFirstRow(input_); });
    }
    int copyChosenRow(const std::string& rowText) {
        return guarded([&] { return talveno::copyChosenRow(input_, rowText); });
    }
    void partialClear(const std::string& maxCountText, const std::string& firstText,
                      const std::string& lastText) {
        guarded([&] { talveno::partialClear(input_, maxCountText, firstText, lastText); });
    }
    void clearAll(const std::string& maxCountText) {
        guarded([&] { talveno::clearAll(input_, maxCountText); });
    }

    // A spreadsheet block pasted from the cell (column, row) on, at least (1, 1); false for a
    // text that is one value, which goes into the cell editor instead.
    bool pasteBlock(int column, int row, const std::string& text) {
        return guarded([&] {
            if (!isCellBlock(text)) return false;
            lastPaste_ = talveno::pasteBlock(input_, std::max(1, column), std::max(1, row),
                                             parseCellBlock(text));
            return true;
        });
    }
    bool undoPaste() {
        return guarded([&] {
            if (!lastPaste_) return false;
            const bool undone = talveno::undoPaste(input_, *lastPaste_);
            lastPaste_.reset();
            return undone;
        });
    }

    std::string copyText(int table, int left, int top, int right, int bottom) const {
        return guarded([&] { return cellBlockText(tableOf(table), left, right, top, bottom); });
    }

    // The range Ctrl+A selects: the data cells of the filled rows shown; null when none.
    val filledRowsSelection(int table) const {
        return guarded([&] {
            const Table& cells = tableOf(table);
            const int rows =
                cells.rowCount() > 1 ? std::min(cells.filledRowCount(), cells.rowCount() - 1) : 0;
            if (rows == 0) return val::null();
            val range = val::object();
            range.set("left", 1);
            range.set("top", 1);
            range.set("right", cells.columnCount() - 1);
            range.set("bottom", rows);
            return range;
        });
    }

    // Reading a file: the count first, then the whole file, and only then the table.
    void readInputFile(const val& bytes, const std::string& maxCountText,
                       const std::string& fileName) {
        guarded([&] {
            const int n = parseMaxDataCount(maxCountText);
            const auto records = parseInputDataFile(bytesOf(bytes), fileName);
            applyInputDataFile(input_, n, records);
        });
    }
    void readResultFile(const val& bytes, const std::string& maxCountText,
                        const std::string& fileName) {
        guarded([&] {
            const int n = parseMaxDataCount(maxCountText);
            const auto records = parseResultFile(bytesOf(bytes), fileName);
            applyResultFile(result_, n, records);
        });
    }
    val inputFileBytes() const {
        return guarded([&] { return uint8Array(talveno::inputDataFileBytes(input_)); });
    }
    val resultFileBytes(int unit) const {
        return guarded([&] { return uint8Array(talveno::resultFileBytes(result_, unitOf(unit))); });
    }

    // kind 0: the input listing, 1: the result listing.
    val listingLines(int kind, const std::string& dataName, int unit) const {
        return guarded([&] {
            const std::string text = listingText(listing(kind, dataName, unit));
            val lines = val::array();
            for (std::size_t start = 0; start < text.size();) {
                const std::size_t end = text.find('\n', start);
                lines.call<void>("push", text.substr(start, end - start));
                start = end + 1;
            }
            return lines;
        });
    }
    void printListing(int kind, const std::string& dataName, int unit, const val& surface) const {
        guarded([&] {
            const Listing write = listing(kind, dataName, unit);
            JsSurface page(surface);
            PrintStream stream(page);
            write(stream);
        });
    }

    // A listing drawn a part at a time as lines of pages, so that the page keeps answering; the
    // surface gives the pages' metrics. Its page count first, refused beyond mostPages (none
    // when 0) before anything is drawn.
    int beginListing(int kind, const std::string& dataName, int unit, const val& surface,
                     int mostPages) {
        return guarded([&] {
            job_.reset();
            auto job = std::make_unique<ListingJob>(listingInParts(kind, dataName, unit),
                                                    pageMetrics(surface));
            const int pages = job->listing.pageCount(job->lines);
            if (mostPages > 0 && pages > mostPages)
                throw print_failures::tooManyPages(pages, mostPages);
            job_ = std::move(job);
            return pages;
        });
    }
    // Draws the head, then up to `rows` further rows: the lines drawn (linesOfPages) and `more`,
    // false once the listing is drawn whole. A cell that holds no number ends the listing with
    // its failure.
    val continueListing(int rows) {
        return guarded([&] {
            if (!job_) throw std::logic_error("no listing begun");
            bool more = false;
            try {
                more = job_->listing.writeNext(job_->stream, rows);
            } catch (...) {
                job_.reset();
                throw;
            }
            val part = linesOfPages(job_->lines.take());
            part.set("more", more);
            if (!more) job_.reset();
            return part;
        });
    }
    void endListing() { job_.reset(); }

    // A result row's look-up as the nomograph view shows it.
    val lookUpResultRow(int row) const {
        return guarded([&] {
            const RowLookUp taken = talveno::lookUpResultRow(result_, row);
            val answer = val::object();
            answer.set("reason", taken.reason);
            answer.set("inputs", val::null());
            answer.set("reading", val::null());
            answer.set("figure", val::null());
            val notes = val::array();
            for (const std::string& note : ui::texts::extrapolationNotes(taken))
                notes.call<void>("push", note);
            answer.set("notes", notes);
            if (taken.inputs) {
                val inputs = val::object();
                inputs.set("penetrationIndex", taken.inputs->penetrationIndex);
                inputs.set("loadingTime", taken.inputs->loadingTime);
                inputs.set("temperatureDifference", taken.inputs->temperatureDifference);
                answer.set("inputs", inputs);
            }
            if (taken.reading) {
                const nomograph::Reading& reading = *taken.reading;
                val read = val::object();
                read.set("x", reading.x);
                read.set("upperCurve", static_cast<int>(reading.upperCurve));
                read.set("fraction", reading.fraction);
                read.set("stiffnessMpa", reading.stiffnessMpa);
                answer.set("reading", read);
                const nomograph::LookUpFigure figure = nomograph::lookUpFigure(
                    taken.inputs->penetrationIndex, taken.inputs->loadingTime,
                    taken.inputs->temperatureDifference, reading);
                val drawn = val::object();
                drawn.set("loadingTime", point(figure.loadingTime));
                drawn.set("temperatureDifference", point(figure.temperatureDifference));
                drawn.set("reading", point(figure.reading));
                drawn.set("lowerCurve", static_cast<int>(figure.lowerCurve));
                drawn.set("upperCurve", static_cast<int>(figure.upperCurve));
                drawn.set("lowerCurveX", figure.lowerCurveX);
                drawn.set("upperCurveX", figure.upperCurveX);
                answer.set("figure", drawn);
            }
            return answer;
        });
    }

    // A result row's stiffness curves over a grid, as the curves view draws them: every
    // temperature at every loading time (arrays of numbers), the stiffness in the unit.
    val stiffnessCurves(int row, const val& temperatures, const val& loadingTimes, int unit) const {
        return guarded([&] {
            const StiffnessUnit chosen = unitOf(unit);
            const ResultCurveRow taken = curveRowOfResult(result_, row);
            val answer = val::object();
            answer.set("reason", taken.reason);
            answer.set("penetrationIndex", val::null());
            answer.set("concentration", val::null());
            val points = val::array();
            answer.set("points", points);
            if (!taken.row) return answer;
            answer.set("penetrationIndex", taken.row->penetrationIndex);
            answer.set("concentration", taken.row->concentration);
            std::vector<CurvePoint> curves;
            talveno::stiffnessCurves(*taken.row, emscripten::vecFromJSArray<double>(temperatures),
                                     emscripten::vecFromJSArray<double>(loadingTimes), chosen,
                                     curves);
            for (const CurvePoint& curve : curves) {
                val point = val::object();
                point.set("temperature", curve.temperature);
                point.set("loadingTime", curve.loadingTime);
                point.set("bitumenStiffness",
                          curve.computed() ? val(curve.bitumenStiffness) : val::null());
                point.set("mixtureStiffness",
                          curve.computed() ? val(curve.mixtureStiffness) : val::null());
                point.set("failure", curve.computed() ? val::null() : val(curve.failure));
                val notes = val::array();
                for (const std::string& note : nomograph::extrapolationNotes(curve.extrapolation))
                    notes.call<void>("push", note);
                point.set("notes", notes);
                points.call<void>("push", point);
            }
            return answer;
        });
    }

  private:
    const Table& tableOf(int table) const {
        if (table != 0 && table != 1) throw std::invalid_argument("table: 0 (input) or 1 (result)");
        return table == 0 ? input_ : result_;
    }
    Table& tableOf(int table) {
        return const_cast<Table&>(static_cast<const Session&>(*this).tableOf(table));
    }

    ListingInParts listingInParts(int kind, const std::string& dataName, int unit) const {
        if (kind == 0) return ListingInParts::ofInput(input_, dataName);
        if (kind != 1) throw std::invalid_argument("kind: 0 (input) or 1 (result)");
        return ListingInParts::ofResults(result_, unitOf(unit), dataName);
    }

    Listing listing(int kind, const std::string& dataName, int unit) const {
        return [parts = listingInParts(kind, dataName, unit)](ListingSink& sink) mutable {
            parts.writeNext(sink, std::numeric_limits<int>::max());
        };
    }

    // A listing being drawn: its lines live as long as the stream drawing them.
    struct ListingJob {
        ListingJob(ListingInParts parts, PageLines::Metrics metrics)
            : listing(std::move(parts)), lines(std::move(metrics)), stream(lines) {}
        ListingInParts listing;
        PageLines lines;
        PrintStream stream;
    };

    Table input_;
    Table result_;
    std::optional<Paste> lastPaste_;
    std::unique_ptr<ListingJob> job_;
};

// The nomograph's own tables, from which a view draws it.
val nomographTables() {
    namespace nomo = nomograph;
    val tables = val::object();
    tables.set("loadingTimeY", nomo::kLoadingTimeY);
    tables.set("oneSecondX", nomo::kOneSecondX);
    tables.set("tenSecondsX", nomo::kTenSecondsX);
    tables.set("temperatureDifferenceY", nomo::kTemperatureDifferenceY);
    tables.set("lowestTemperatureDifference", 10 * nomo::kLowestDifferenceStep);
    tables.set("highestTemperatureDifference", 10 * nomo::kHighestDifferenceStep);
    val differences = val::array();
    for (const double x : nomo::kTemperatureDifferenceX) differences.call<void>("push", x);
    tables.set("temperatureDifferenceX", differences);
    val height = val::array();
    for (const double a : nomo::kPenetrationIndexHeight) height.call<void>("push", a);
    tables.set("penetrationIndexHeight", height);
    val stiffnesses = val::array();
    for (const auto& curve : nomo::kStiffnessCurves)
        stiffnesses.call<void>("push", curve.stiffnessPa);
    tables.set("curveStiffnessesPa", stiffnesses);
    tables.set("lowestIndexShown", ui::texts::kLowestIndexShown);
    tables.set("highestIndexShown", ui::texts::kHighestIndexShown);
    return tables;
}

// x of every stiffness curve at a height, as the look-up evaluates them.
val curveXs(double height) {
    val xs = val::array();
    for (std::size_t curve = 0; curve < nomograph::kStiffnessCurves.size(); ++curve)
        xs.call<void>("push", nomograph::curveX(curve, height));
    return xs;
}

// One look-up in full, as the start page's schematic shows it.
val read(double penetrationIndex, double loadingTime, double temperatureDifference) {
    return guarded([&] {
        const nomograph::Reading reading =
            nomograph::read(penetrationIndex, loadingTime, temperatureDifference);
        val read = val::object();
        read.set("x", reading.x);
        read.set("upperCurve", static_cast<int>(reading.upperCurve));
        read.set("fraction", reading.fraction);
        read.set("stiffnessMpa", reading.stiffnessMpa);
        return read;
    });
}

double curveX(int curve, double height) {
    return guarded([&] { return nomograph::curveX(static_cast<std::size_t>(curve), height); });
}
double loadingTimeX(double loadingTime) {
    return guarded([&] { return nomograph::loadingTimeX(loadingTime); });
}
double temperatureDifferenceX(double difference) {
    return guarded([&] { return nomograph::temperatureDifferenceX(difference); });
}
double penetrationIndexHeight(double penetrationIndex) {
    return guarded([&] { return nomograph::penetrationIndexHeight(penetrationIndex); });
}

// The number texts of the engine, which the view shows.
namespace texts {

std::string fixedText(double value, int decimals) {
    return guarded([&] { return talveno::fixedText(value, decimals); });
}
std::string exponentText(double value, int significant, int exponentDigits) {
    return guarded([&] { return talveno::exponentText(value, significant, exponentDigits); });
}
std::string shortestText(double value) {
    return talveno::shortestText(value);
}
std::string withFullStop(const std::string& message) {
    return talveno::withFullStop(message);
}
std::string errorBoxText(const std::string& message, int row) {
    return talveno::errorBoxText(message, row);
}

// The maximum data count a box's text gives, as the commands read it before they change
// anything.
int maxDataCount(const std::string& text) {
    return guarded([&] { return parseMaxDataCount(text); });
}

// The largest maximum data count, which Edit4 shows whole.
int maxDataCountLimit() {
    return kMaxDataCountLimit;
}

// The message of a system error met reading or writing a file, named as POSIX names it
// ("ENOENT", "EACCES", "EMFILE", "ENOSPC", "EIO"): a browser reports its failures by kind.
std::string fileFailureMessage(const std::string& error) {
    return guarded([&] {
        static const std::map<std::string, int> numbers = {{"ENOENT", ENOENT},
                                                           {"EACCES", EACCES},
                                                           {"EMFILE", EMFILE},
                                                           {"ENOSPC", ENOSPC},
                                                           {"EIO", EIO}};
        const auto number = numbers.find(error);
        if (number == numbers.end()) throw std::invalid_argument("system error: " + error);
        return std::string(file_failures::systemFailure(number->second).message());
    });
}

// Help messages 1 to 5 as stored, each line break LF then CR.
std::string helpText(int number) {
    return guarded([&] {
        const std::array<std::string_view, 5> texts = {ui::help::kHelp1, ui::help::kHelp2,
                                                       ui::help::kHelp3, ui::help::kHelp4,
                                                       ui::help::kHelp5};
        if (number < 1 || number > 5) throw std::invalid_argument("help message: 1 to 5");
        return std::string(texts[static_cast<std::size_t>(number - 1)]);
    });
}

// Full-width numbers as the number boxes and cell editors keep them.
std::string halfWidthNumberText(const std::string& text) {
    return talveno::halfWidthNumberText(text);
}

// The window's texts that the page shows as the desktop does.
val windowTexts() {
    val shown = val::object();
    shown.set("internalError", std::string(ui::texts::kInternalError));
    shown.set("outOfMemory", std::string(messages::outOfMemory().message()));
    shown.set("extrapolationMark", std::string(ui::texts::kExtrapolationMark));
    return shown;
}

}  // namespace texts

}  // namespace

EMSCRIPTEN_BINDINGS(talveno_engine) {
    using emscripten::class_;
    using emscripten::function;
    class_<Session>("Session")
        .constructor<>()
        .function("cell", &Session::cell)
        .function("setCell", &Session::setCell)
        .function("rowCount", &Session::rowCount)
        .function("columnCount", &Session::columnCount)
        .function("columnWidth", &Session::columnWidth)
        .function("filledRowCount", &Session::filledRowCount)
        .function("moveRow", &Session::moveRow)
        .function("moveColumn", &Session::moveColumn)
        .function("cellsOfRows", &Session::cellsOfRows)
        .function("start", &Session::start)
        .function("run", &Session::run)
        .function("copyFirstRow", &Session::copyFirstRow)
        .function("copyChosenRow", &Session::copyChosenRow)
        .function("partialClear", &Session::partialClear)
        .function("clearAll", &Session::clearAll)
        .function("pasteBlock", &Session::pasteBlock)
        .function("undoPaste", &Session::undoPaste)
        .function("copyText", &Session::copyText)
        .function("filledRowsSelection", &Session::filledRowsSelection)
        .function("readInputFile", &Session::readInputFile)
        .function("readResultFile", &Session::readResultFile)
        .function("inputFileBytes", &Session::inputFileBytes)
        .function("resultFileBytes", &Session::resultFileBytes)
        .function("listingLines", &Session::listingLines)
        .function("printListing", &Session::printListing)
        .function("beginListing", &Session::beginListing)
        .function("continueListing", &Session::continueListing)
        .function("endListing", &Session::endListing)
        .function("lookUpResultRow", &Session::lookUpResultRow)
        .function("stiffnessCurves", &Session::stiffnessCurves);
    function("nomographTables", &nomographTables);
    function("curveX", &curveX);
    function("curveXs", &curveXs);
    function("loadingTimeX", &loadingTimeX);
    function("temperatureDifferenceX", &temperatureDifferenceX);
    function("penetrationIndexHeight", &penetrationIndexHeight);
    function("fixedText", &texts::fixedText);
    function("exponentText", &texts::exponentText);
    function("shortestText", &texts::shortestText);
    function("withFullStop", &texts::withFullStop);
    function("errorBoxText", &texts::errorBoxText);
    function("read", &read);
    function("maxDataCount", &texts::maxDataCount);
    function("maxDataCountLimit", &texts::maxDataCountLimit);
    function("fileFailureMessage", &texts::fileFailureMessage);
    function("helpText", &texts::helpText);
    function("halfWidthNumberText", &texts::halfWidthNumberText);
    function("windowTexts", &texts::windowTexts);
}
