// The engine as a WebAssembly module for a front end in JavaScript (talveno-engine.js): bindings
// of the window's state and rules (the tables, the commands and what they leave to show, the
// layout of the controls), the data files as bytes, the listings, and the nomograph's look-up
// with the tables it is drawn from. The interface is described in engine_module.md.

#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <map>
#include <new>
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
#include "module/grid_bindings.h"
#include "print/drawing_surface.h"
#include "print/listings.h"
#include "print/page_lines.h"
#include "print/print_stream.h"
#include "tables/calculation_run.h"
#include "tables/cell_block.h"
#include "tables/max_data_count.h"
#include "window/curves_view.h"
#include "window/file_filters.h"
#include "window/form.h"
#include "window/grid_rules.h"
#include "window/guide.h"
#include "window/help_messages.h"
#include "window/key_rules.h"
#include "window/layout.h"
#include "window/message_boxes.h"
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

// The window's state and rules (window::Form) as the page holds them: the tables, the commands
// and what they leave to show, the file bytes, the listings and the look-ups.
namespace form {

using window::Form;
using window::Grid;
using window::Outcome;

Grid gridOf(int table) {
    if (table != 0 && table != 1) throw std::invalid_argument("table: 0 (input) or 1 (result)");
    return table == 0 ? Grid::Input : Grid::Results;
}

// What the user set in the controls: {rowText, firstRowText, lastRowText, maxCountText, unit,
// vanDraat}; a text left out is empty.
window::Controls controlsOf(const val& set) {
    const auto text = [&set](const char* name) {
        return set[name].isUndefined() ? std::string() : set[name].as<std::string>();
    };
    return {text("rowText"),
            text("firstRowText"),
            text("lastRowText"),
            text("maxCountText"),
            unitOf(set["unit"].isUndefined() ? 0 : set["unit"].as<int>()),
            set["vanDraat"].isTrue()};
}

val pagesOf(const window::Pages& pages) {
    val shown = val::object();
    shown.set("current", static_cast<int>(pages.current));
    val tabs = val::array();
    for (const bool tab : pages.tabShown) tabs.call<void>("push", tab);
    shown.set("tabShown", tabs);
    return shown;
}

// An outcome as the page shows it: {pages, texts: [{control, text}], unit, tablesChanged,
// rowInView: {table, row}, box: "" | "information" | "error", boxText}, null where none.
val outcomeOf(const Outcome& outcome) {
    val shown = val::object();
    shown.set("pages", outcome.pages ? pagesOf(*outcome.pages) : val::null());
    val texts = val::array();
    for (const window::ControlText& written : outcome.texts) {
        val text = val::object();
        text.set("control", std::string(written.control));
        text.set("text", written.text);
        texts.call<void>("push", text);
    }
    shown.set("texts", texts);
    shown.set("unit", outcome.unit ? val(static_cast<int>(*outcome.unit)) : val::null());
    shown.set("tablesChanged", outcome.tablesChanged);
    val row = val::null();
    if (outcome.rowInView) {
        row = val::object();
        row.set("table", static_cast<int>(outcome.rowInView->grid));
        row.set("row", outcome.rowInView->row);
    }
    shown.set("rowInView", row);
    const char* const boxes[] = {"", "information", "error"};
    shown.set("box", std::string(boxes[static_cast<int>(outcome.box)]));
    shown.set("boxText", outcome.boxText);
    return shown;
}

// A command of the form on the controls given, its outcome as the page shows it.
template <Outcome (Form::*Command)(const window::Controls&)>
val onControls(Form& form, const val& controls) {
    return guarded([&] { return outcomeOf((form.*Command)(controlsOf(controls))); });
}

std::string cell(const Form& form, int table, int column, int row) {
    return guarded([&] { return form.table(gridOf(table)).cell(column, row); });
}
void setCell(Form& form, int table, int column, int row, const std::string& text) {
    guarded([&] { form.table(gridOf(table)).setCell(column, row, text); });
}
int rowCount(const Form& form, int table) {
    return guarded([&] { return form.table(gridOf(table)).rowCount(); });
}
int columnCount(const Form& form, int table) {
    return guarded([&] { return form.table(gridOf(table)).columnCount(); });
}
int columnWidth(const Form& form, int table, int column) {
    return guarded([&] { return form.table(gridOf(table)).columnWidth(column); });
}
std::string widestRowNumber(const Form& form, int table) {
    return guarded([&] { return window::grid::widestRowNumber(form.table(gridOf(table))); });
}
int filledRowCount(const Form& form, int table) {
    return guarded([&] { return form.table(gridOf(table)).filledRowCount(); });
}
void moveRow(Form& form, int table, int from, int to) {
    guarded([&] { form.table(gridOf(table)).moveRow(from, to); });
}
void moveColumn(Form& form, int table, int from, int to) {
    guarded([&] { form.table(gridOf(table)).moveColumn(from, to); });
}

// The texts of `count` rows from firstRow on, every column, as arrays of strings.
val cellsOfRows(const Form& form, int table, int firstRow, int count) {
    return guarded([&] {
        const Table& cells = form.table(gridOf(table));
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

std::string copyText(const Form& form, int table, int left, int top, int right, int bottom) {
    return guarded(
        [&] { return cellBlockText(form.table(gridOf(table)), left, right, top, bottom); });
}

// The range Ctrl+A selects: the data cells of the filled rows shown; null when none.
val filledRowsSelection(const Form& form, int table) {
    return guarded([&] {
        const Table& cells = form.table(gridOf(table));
        const auto range = window::grid::filledRowsRange({cells.columnCount(), cells.rowCount()},
                                                         cells.filledRowCount());
        return bindings::rangeOrNull(range);
    });
}

val pages(const Form& form) {
    return pagesOf(form.pages());
}

// work: "start", "run", "partialClear", "clearAll", "saveInput" (the input data file) or
// "saveResults" (the result file).
int rowsOf(const Form& form, const std::string& work, const val& controls) {
    return guarded([&] {
        static const std::map<std::string, window::Work> works = {
            {"start", window::Work::Start},
            {"run", window::Work::Run},
            {"partialClear", window::Work::PartialClear},
            {"clearAll", window::Work::ClearAll},
            {"saveInput", window::Work::SaveInput},
            {"saveResults", window::Work::SaveResults}};
        if (!works.contains(work)) throw std::invalid_argument("work: " + work);
        return form.rowsOf(works.at(work), controlsOf(controls));
    });
}

val changePage(Form& form, int page) {
    return guarded([&] {
        if (page < 0 || page > 2) throw std::invalid_argument("page: 0 to 2");
        return outcomeOf(form.changePage(static_cast<window::Page>(page)));
    });
}
val checkCount(const Form& form, const val& controls) {
    return guarded([&] { return outcomeOf(form.checkCount(controlsOf(controls))); });
}
val copyFirstRow(Form& form) {
    return guarded([&] { return outcomeOf(form.copyFirstRow()); });
}
val pasteBlock(Form& form, int column, int row, const std::string& text) {
    return guarded([&] { return outcomeOf(form.paste(column, row, text)); });
}
val undoPaste(Form& form) {
    return guarded([&] { return outcomeOf(form.undoPaste()); });
}
val help(int number) {
    return guarded([&] { return outcomeOf(window::helpMessage(number)); });
}

// dialog: "OpenDialog1", "SaveDialog1", "OpenDialog2" or "SaveDialog2": {filter,
// defaultExtension, fileName}; a file chosen in it, kept for the next time.
window::FileDialog& dialogOf(Form& form, const std::string& name) {
    static const std::map<std::string, window::Dialog> dialogs = {
        {"OpenDialog1", window::Dialog::OpenInput},
        {"SaveDialog1", window::Dialog::SaveInput},
        {"OpenDialog2", window::Dialog::OpenResults},
        {"SaveDialog2", window::Dialog::SaveResults}};
    if (!dialogs.contains(name)) throw std::invalid_argument("dialog: " + name);
    return form.dialog(dialogs.at(name));
}
val dialogShown(const window::FileDialog& kept) {
    val shown = val::object();
    shown.set("filter", kept.filter);
    shown.set("defaultExtension", kept.defaultExtension);
    shown.set("fileName", kept.fileName);
    return shown;
}
val dialog(Form& form, const std::string& name) {
    return guarded([&] { return dialogShown(dialogOf(form, name)); });
}

// A view's save dialog as it first opens: "png", "pdf" or "csv".
val viewDialog(const std::string& kind) {
    static const std::map<std::string, const window::FileDialog*> dialogs = {
        {"png", &window::kPngDialog}, {"pdf", &window::kPdfDialog}, {"csv", &window::kCsvDialog}};
    return guarded([&] {
        if (!dialogs.contains(kind)) throw std::invalid_argument("view dialog: png, pdf or csv");
        return dialogShown(*dialogs.at(kind));
    });
}
void fileChosen(Form& form, const std::string& dialog, const std::string& name) {
    guarded([&] { dialogOf(form, dialog).fileName = name; });
}

// Reading a data file's bytes, and the name box once a file's bytes are written.
val readFile(Form& form, int table, const val& bytes, const std::string& name,
             const val& controls) {
    return guarded([&] {
        window::BytesFile file(bytesOf(bytes), name);
        return outcomeOf(form.readFile(gridOf(table), file, controlsOf(controls)));
    });
}
val fileSaved(Form& form, int table, const std::string& name) {
    return guarded([&] { return outcomeOf(form.saveFile(gridOf(table), name, [] {})); });
}
val inputFileBytes(const Form& form) {
    return guarded(
        [&] { return uint8Array(talveno::inputDataFileBytes(form.table(Grid::Input))); });
}
val resultFileBytes(const Form& form, int unit) {
    return guarded([&] {
        return uint8Array(talveno::resultFileBytes(form.table(Grid::Results), unitOf(unit)));
    });
}

// kind 0: the input listing, 1: the result listing, titled dataName.
Listing listingOf(const Form& form, int kind, const std::string& dataName, int unit) {
    if (gridOf(kind) == Grid::Input)
        return [&form, dataName](ListingSink& sink) {
            writeInputListing(form.table(Grid::Input), dataName, sink);
        };
    return [&form, dataName, unit = unitOf(unit)](ListingSink& sink) {
        writeResultListing(form.table(Grid::Results), unit, dataName, sink);
    };
}
val listingLines(const Form& form, int kind, const std::string& dataName, int unit) {
    return guarded([&] {
        const std::string text = listingText(listingOf(form, kind, dataName, unit));
        val lines = val::array();
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\n', start);
            lines.call<void>("push", text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    });
}
void printListing(const Form& form, int kind, const std::string& dataName, int unit,
                  const val& surface) {
    guarded([&] {
        const Listing write = listingOf(form, kind, dataName, unit);
        JsSurface page(surface);
        PrintStream stream(page);
        write(stream);
    });
}

// The grid's listing drawn a part at a time on the print view's pages (Form::beginListing).
int beginListing(Form& form, int kind, int unit, const val& surface, int mostPages) {
    return guarded([&] {
        return form.beginListing(gridOf(kind), unitOf(unit), pageMetrics(surface), mostPages);
    });
}
val continueListing(Form& form, int rows) {
    return guarded([&] {
        bool more = false;
        val part = linesOfPages(form.continueListing(rows, more));
        part.set("more", more);
        return part;
    });
}
void endListing(Form& form) {
    form.endListing();
}

// A result row's look-up as the nomograph view shows it.
val lookUpResultRow(const Form& form, int row) {
    return guarded([&] {
        const RowLookUp taken = talveno::lookUpResultRow(form.table(Grid::Results), row);
        val answer = val::object();
        answer.set("reason", taken.reason);
        answer.set("inputs", val::null());
        answer.set("reading", val::null());
        answer.set("figure", val::null());
        val notes = val::array();
        for (const std::string& note : window::texts::extrapolationNotes(taken))
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
            const nomograph::LookUpFigure figure =
                nomograph::lookUpFigure(taken.inputs->penetrationIndex, taken.inputs->loadingTime,
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
val stiffnessCurves(const Form& form, int row, const val& temperatures, const val& loadingTimes,
                    int unit) {
    return guarded([&] {
        const StiffnessUnit chosen = unitOf(unit);
        const ResultCurveRow taken = curveRowOfResult(form.table(Grid::Results), row);
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
                                 emscripten::vecFromJSArray<double>(loadingTimes), chosen, curves);
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

}  // namespace form

// The curves view of a result row, its ranges as the boxes' texts.
namespace curves {

using window::CurvesView;

CurvesView* open(const window::Form& form, int row, int unit) {
    return guarded(
        [&] { return new CurvesView(row, form.table(window::Grid::Results), unitOf(unit)); });
}

val texts(const CurvesView& view) {
    val texts = val::array();
    for (const std::string& text : view.texts()) texts.call<void>("push", text);
    return texts;
}

void setTexts(CurvesView& view, const val& texts) {
    guarded([&] {
        window::CurvesTexts taken;
        for (std::size_t i = 0; i < taken.size(); ++i) taken[i] = texts[i].as<std::string>();
        view.setTexts(taken);
    });
}

// The points as a CSV file's bytes: a string would lose its byte order mark to the decoder.
val csvBytes(const CurvesView& view) {
    return uint8Array(view.csv());
}

// The view's boxes ({name, label, unit}) and buttons ({name, caption}), in their order.
// A view's buttons: [{name, caption}].
template <std::size_t N>
val buttonsOf(const std::array<window::CurvesButton, N>& buttons) {
    val shown = val::array();
    for (const window::CurvesButton& button : buttons) {
        val each = val::object();
        each.set("name", std::string(button.name));
        each.set("caption", std::string(button.caption));
        shown.call<void>("push", each);
    }
    return shown;
}

val nomographViewButtons() {
    return buttonsOf(window::kNomographButtons);
}

val controls() {
    val boxes = val::array();
    for (const window::CurvesBoxLabel& box : window::kCurvesBoxes) {
        val each = val::object();
        each.set("name", std::string(box.name));
        each.set("label", std::string(box.label));
        each.set("unit", std::string(box.unit));
        boxes.call<void>("push", each);
    }
    val all = val::object();
    all.set("boxes", boxes);
    all.set("buttons", buttonsOf(window::kCurvesButtons));
    all.set("command", std::string(window::kCurvesCommand));
    return all;
}

}  // namespace curves

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
    tables.set("lowestIndexShown", window::texts::kLowestIndexShown);
    tables.set("highestIndexShown", window::texts::kHighestIndexShown);
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

// The error box's text of what stopped a command of the page: "failure", the engine's message
// and the row it names; "memory", memory the browser did not give; "system", a file the browser
// could not read or write, by the POSIX name of its error; "fault", a fault of the program.
std::string errorBoxTextOf(const std::string& stop, const std::string& detail, int row) {
    if (stop == "failure") return talveno::errorBoxText(detail, row);
    if (stop == "memory") return talveno::errorBoxText(messages::outOfMemory().message(), 0);
    if (stop == "system") return talveno::withFullStop(fileFailureMessage(detail));
    return talveno::withFullStop(window::texts::kInternalError);
}

// Help messages 1 to 5 as stored, each line break LF then CR.
std::string helpText(int number) {
    return guarded([&] { return std::string(window::help::message(number)); });
}

// Full-width numbers as the number boxes and cell editors keep them.
std::string halfWidthNumberText(const std::string& text) {
    return talveno::halfWidthNumberText(text);
}

// The window's texts that the page shows as the desktop does.
val windowTexts() {
    val shown = val::object();
    shown.set("internalError", std::string(window::texts::kInternalError));
    shown.set("outOfMemory", std::string(messages::outOfMemory().message()));
    shown.set("extrapolationMark", std::string(window::texts::kExtrapolationMark));
    shown.set("clearAllQuestion", std::string(window::texts::kClearAllQuestion));
    shown.set("exitQuestion", std::string(window::texts::kExitQuestion));
    shown.set("guideFile", std::string(window::guide::kFileName));
    shown.set("guideLink", std::string(window::texts::kGuideLink));
    return shown;
}

// Whether clipboard text is a block of cells rather than one value for the open cell editor.
bool isCellBlock(const std::string& text) {
    return talveno::isCellBlock(text);
}

}  // namespace texts

// The grids' rules (window::grid): cells as {column, row}, none as null; widths as arrays of
// pixels, the fixed column first.
namespace grids {

namespace grid = window::grid;

val cellOrNull(const std::optional<grid::Cell>& cell) {
    if (!cell) return val::null();
    val shown = val::object();
    shown.set("column", cell->column);
    shown.set("row", cell->row);
    return shown;
}

val tabTarget(int columns, int rowCount, int column, int row, int way, int filledRows) {
    return cellOrNull(grid::tabTarget({columns, rowCount}, {column, row}, way, filledRows));
}

val keyTarget(int columns, int rowCount, int column, int row, const std::string& key, bool ctrl,
              int page, bool across) {
    return cellOrNull(grid::keyTarget({columns, rowCount}, {column, row}, key, ctrl, page, across));
}

val acrossStops(const val& widths, int viewWidth) {
    return val::array(grid::acrossStops(emscripten::vecFromJSArray<int>(widths), viewWidth));
}

int snappedStop(const val& widths, int viewWidth, int shown, int last) {
    return grid::snappedStop(grid::acrossStops(emscripten::vecFromJSArray<int>(widths), viewWidth),
                             shown, last);
}

val stopShowing(const val& widths, int viewWidth, int column, int shown) {
    const std::optional<int> stop =
        grid::stopShowing(emscripten::vecFromJSArray<int>(widths), viewWidth, column, shown);
    return stop ? val(*stop) : val::null();
}

}  // namespace grids

// The page a key turns to among the pages whose tabs show (window::keys), or null.
val pageTurnedTo(const val& tabShown, int current, const std::string& key, bool ctrl, bool shift,
                 bool alt, bool onTabRow) {
    const std::vector<bool> shown = emscripten::vecFromJSArray<bool>(tabShown);
    const std::optional<int> to =
        window::keys::pageTurnedTo(shown, current, key, {ctrl, shift, alt}, onTabRow);
    return to ? val(*to) : val::null();
}

// What a key does in an open menu: {action: "" | "activate" | "run" | "close", item}.
val menuKey(int count, int active, const std::string& key) {
    static constexpr const char* kActions[] = {"", "activate", "run", "close"};
    const window::keys::MenuKey taken = window::keys::menuKey(count, active, key);
    val shown = val::object();
    shown.set("action", kActions[static_cast<int>(taken.action)]);
    shown.set("item", taken.item);
    return shown;
}

// A message box (window::boxes) by its kind, "information", "confirmation" or "error": {title,
// icon: "" | "question" | "error", buttons: [{caption, answer}], escapeAnswer}.
val messageBox(const std::string& kind) {
    namespace boxes = window::boxes;
    const boxes::Box& box = kind == "confirmation" ? boxes::kConfirmation
                            : kind == "error"      ? boxes::kError
                                                   : boxes::kInformation;
    static constexpr const char* kIcons[] = {"", "question", "error"};
    val shown = val::object();
    shown.set("title", std::string(box.title));
    shown.set("icon", kIcons[static_cast<int>(box.icon)]);
    val buttons = val::array();
    for (const boxes::Button& button : box.buttons) {
        if (button.caption.empty()) continue;
        val each = val::object();
        each.set("caption", std::string(button.caption));
        each.set("answer", std::string(button.answer));
        buttons.call<void>("push", each);
    }
    shown.set("buttons", buttons);
    shown.set("escapeAnswer", std::string(box.escapeAnswer));
    return shown;
}

// The file dialogs' filter lists as [{description, extensions}].
val filterEntries(const std::string& filter) {
    val entries = val::array();
    for (const window::FilterEntry& entry : window::filterEntries(filter)) {
        val shown = val::object();
        shown.set("description", entry.description);
        shown.set("extensions", val::array(entry.extensions));
        entries.call<void>("push", shown);
    }
    return entries;
}

std::string withDefaultExtension(const std::string& name, const std::string& extension) {
    return window::withDefaultExtension(name, extension);
}

// The window's controls (window::layout): {window, controls: [{name, kind, parent, left, top,
// width, height, text, focus, cursor, look, items, fontOf, description}], radioItemTop,
// radioItemHeight}, kinds, cursors and looks by their names in window/layout.h.
val windowLayout() {
    namespace layout = window::layout;
    static constexpr const char* kKinds[] = {
        "PageControl", "TabSheet",     "PushButton",  "Image", "Panel",
        "FramedPanel", "GroupBox",     "RadioGroup",  "Edit",  "Label",
        "FileNameBox", "EditableGrid", "ReadOnlyGrid"};
    static constexpr const char* kCursors[] = {"Arrow", "PointingHand", "Help"};
    static constexpr const char* kLooks[] = {"Plain", "Large", "Red",     "Silver",
                                             "White", "Cream", "Centred", "ButtonText"};
    val controls = val::array();
    for (const layout::Control& control : layout::controls()) {
        val shown = val::object();
        shown.set("name", std::string(control.name));
        shown.set("kind", std::string(kKinds[static_cast<int>(control.kind)]));
        shown.set("parent", std::string(control.parent));
        shown.set("left", control.left);
        shown.set("top", control.top);
        shown.set("width", control.width);
        shown.set("height", control.height);
        shown.set("text", std::string(control.text));
        shown.set("focus", control.focus);
        shown.set("cursor", std::string(kCursors[static_cast<int>(control.cursor)]));
        shown.set("look", std::string(kLooks[static_cast<int>(control.look)]));
        val items = val::array();
        for (const std::string_view item : control.items)
            if (!item.empty()) items.call<void>("push", std::string(item));
        shown.set("items", items);
        shown.set("fontOf", std::string(control.fontOf));
        shown.set("description", std::string(control.description));
        shown.set("room", layout::captionRoom(control));
        controls.call<void>("push", shown);
    }
    val layoutShown = val::object();
    layoutShown.set("window", std::string(layout::kWindow));
    layoutShown.set("controls", controls);
    layoutShown.set("radioItemTop", layout::kRadioItemTop);
    layoutShown.set("radioItemHeight", layout::kRadioItemHeight);
    val menu = val::array();
    for (const layout::MenuItem& item : layout::popupMenu()) {
        val shown = val::object();
        shown.set("name", std::string(item.name));
        shown.set("text", std::string(item.text));
        shown.set("keys", std::string(item.keys));
        menu.call<void>("push", shown);
    }
    layoutShown.set("popupMenu", menu);
    return layoutShown;
}

}  // namespace

EMSCRIPTEN_BINDINGS(talveno_engine) {
    using emscripten::class_;
    using emscripten::function;
    using window::Form;
    class_<Form>("Form")
        .constructor<>()
        .function("cell", &form::cell)
        .function("setCell", &form::setCell)
        .function("rowCount", &form::rowCount)
        .function("columnCount", &form::columnCount)
        .function("columnWidth", &form::columnWidth)
        .function("filledRowCount", &form::filledRowCount)
        .function("widestRowNumber", &form::widestRowNumber)
        .function("moveRow", &form::moveRow)
        .function("moveColumn", &form::moveColumn)
        .function("cellsOfRows", &form::cellsOfRows)
        .function("copyText", &form::copyText)
        .function("filledRowsSelection", &form::filledRowsSelection)
        .function("pages", &form::pages)
        .function("rowsOf", &form::rowsOf)
        .function("start", &form::onControls<&Form::start>)
        .function("run", &form::onControls<&Form::run>)
        .function("changePage", &form::changePage)
        .function("copyFirstRow", &form::copyFirstRow)
        .function("copyChosenRow", &form::onControls<&Form::copyChosenRow>)
        .function("partialClear", &form::onControls<&Form::partialClear>)
        .function("clearAll", &form::onControls<&Form::clearAll>)
        .function("pasteBlock", &form::pasteBlock)
        .function("undoPaste", &form::undoPaste)
        .function("dialog", &form::dialog)
        .function("fileChosen", &form::fileChosen)
        .function("checkCount", &form::checkCount)
        .function("readFile", &form::readFile)
        .function("fileSaved", &form::fileSaved)
        .function("inputFileBytes", &form::inputFileBytes)
        .function("resultFileBytes", &form::resultFileBytes)
        .function("listingLines", &form::listingLines)
        .function("printListing", &form::printListing)
        .function("beginListing", &form::beginListing)
        .function("continueListing", &form::continueListing)
        .function("endListing", &form::endListing)
        .function("lookUpResultRow", &form::lookUpResultRow)
        .function("stiffnessCurves", &form::stiffnessCurves);
    class_<window::CurvesView>("CurvesView")
        .constructor(&curves::open, emscripten::allow_raw_pointers())
        .function("row", &window::CurvesView::row)
        .function("texts", &curves::texts)
        .function("setTexts", &curves::setTexts)
        .function("csvBytes", &curves::csvBytes)
        .function("tabSeparated", &window::CurvesView::tabSeparated)
        .function("title", &window::CurvesView::title);
    function("curvesViewControls", &curves::controls);
    function("nomographViewButtons", &curves::nomographViewButtons);
    function("help", &form::help);
    function("windowLayout", &windowLayout);
    function("isCellBlock", &texts::isCellBlock);
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
    function("errorBoxTextOf", &texts::errorBoxTextOf);
    function("read", &read);
    function("maxDataCount", &texts::maxDataCount);
    function("maxDataCountLimit", &texts::maxDataCountLimit);
    function("fileFailureMessage", &texts::fileFailureMessage);
    function("helpText", &texts::helpText);
    function("halfWidthNumberText", &texts::halfWidthNumberText);
    function("windowTexts", &texts::windowTexts);
    function("tabTarget", &grids::tabTarget);
    function("keyTarget", &grids::keyTarget);
    function("acrossStops", &grids::acrossStops);
    function("snappedStop", &grids::snappedStop);
    function("stopShowing", &grids::stopShowing);
    function("filterEntries", &filterEntries);
    function("messageBox", &messageBox);
    function("pageTurnedTo", &pageTurnedTo);
    function("menuKey", &menuKey);
    function("withDefaultExtension", &withDefaultExtension);
    function("viewDialog", &form::viewDialog);
}
