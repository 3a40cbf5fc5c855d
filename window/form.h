#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/stiffness_unit.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "print/listing_sink.h"
#include "print/page_lines.h"
#include "tables/paste.h"
#include "tables/table.h"

// The window's state and rules in standard C++, for every front end: the tables, the pages and
// their tabs, the texts the commands write into controls, the file dialogs, the last paste. Each
// command takes what the user set in the controls and returns what to show; a front end opens
// the dialogs a command needs before it runs, and shows its outcome in one place.
namespace talveno::window {

// The pages of the page container, in their order.
enum class Page { Start, Input, Results };

enum class Grid { Input, Results };

// The page in front and the tabs shown. The page in front always has its tab shown.
struct Pages {
    Page current = Page::Start;
    std::array<bool, 3> tabShown = {true, false, false};  // by page
    bool operator==(const Pages&) const = default;
};

// What the user set in the controls that the commands read, as they stand when one runs.
struct Controls {
    std::string rowText;       // the row to copy
    std::string firstRowText;  // the rows to remove
    std::string lastRowText;
    std::string maxCountText;  // the maximum data count
    StiffnessUnit unit = StiffnessUnit::Mpa;
    bool vanDraat = false;  // the Van Draat correction
};

// A text a command wrote into a control, named as in the layout.
struct ControlText {
    std::string_view control;
    std::string text;
};

enum class Box { None, Information, Error };

struct RowInView {
    Grid grid;
    int row;  // a table row
};

// What a command leaves to show, also when it fails half way: steps done before a failure stay
// done, and the error box shows its message last.
struct Outcome {
    std::optional<Pages> pages;          // where they changed
    std::vector<ControlText> texts;      // in order; a file name box written takes the button face
    std::optional<StiffnessUnit> unit;   // the unit chosen anew
    bool tablesChanged = false;          // the grids show their tables anew
    std::optional<RowInView> rowInView;  // brought into view when it is one of the rows shown
    Box box = Box::None;                 // the box to open last, with its text
    std::string boxText;

    bool failed() const { return box == Box::Error; }
    void show(std::string_view control, std::string text);
};

// Runs a command's steps: a failure ends them and becomes the error box's message, the row of a
// failing calculation named; memory that runs out has a message of its own; any other
// exception is a fault of the program, which the box reports as an internal error, its own text
// going to standard error.
Outcome attempt(const std::function<void(Outcome&)>& steps);

// The information box with help message 1 to 5.
Outcome helpMessage(int number);

// What the window keeps of a file dialog between uses: its filter list ("description|pattern|
// ..."), the extension a save dialog adds to a name typed without one, and the file last chosen
// in it, with which it opens.
struct FileDialog {
    std::string filter;
    std::string defaultExtension;
    std::string fileName;
};

enum class Dialog { OpenInput, SaveInput, OpenResults, SaveResults };

// The views' save dialogs as they first open: a drawing as a PNG image or a PDF document, a
// row's curves as CSV.
inline const FileDialog kPngDialog{"PNG 画像|*.png", "png", ""};
inline const FileDialog kPdfDialog{"PDF|*.pdf", "pdf", ""};
inline const FileDialog kCsvDialog{"CSV|*.csv", "csv", ""};

// A data file chosen to read: from a disk on the desktop, from its bytes in the page. Each call
// reads it anew and throws its file's failures.
class DataFile {
  public:
    virtual ~DataFile() = default;
    // The file as the window shows it, in the name boxes.
    virtual std::string name() const = 0;
    // Its first bytes, up to kHeadBytes, which tell the kinds apart.
    virtual std::string head() = 0;
    virtual std::vector<InputRecord> inputRecords() = 0;
    virtual std::vector<ResultRecord> resultRecords() = 0;
};

// The longest two header lines are 146 bytes with their CR LF.
inline constexpr std::size_t kHeadBytes = 256;

// A data file given as its bytes, as the page reads one.
class BytesFile : public DataFile {
  public:
    BytesFile(std::string bytes, std::string name)
        : bytes_(std::move(bytes)), name_(std::move(name)) {}
    std::string name() const override { return name_; }
    std::string head() override { return bytes_.substr(0, kHeadBytes); }
    std::vector<InputRecord> inputRecords() override { return parseInputDataFile(bytes_, name_); }
    std::vector<ResultRecord> resultRecords() override { return parseResultFile(bytes_, name_); }

  private:
    std::string bytes_;
    std::string name_;
};

// The commands that may go through many rows, and so show the wait cursor.
enum class Work { Start, Run, PartialClear, ClearAll, SaveInput, SaveResults };

class Form {
  public:
    Form();
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Table& table(Grid grid) { return grid == Grid::Input ? input_ : results_; }
    const Table& table(Grid grid) const { return grid == Grid::Input ? input_ : results_; }
    const Pages& pages() const { return pages_; }
    FileDialog& dialog(Dialog which) { return dialogs_[static_cast<std::size_t>(which)]; }
    // The text of a grid's file name box, the data name of its listing.
    const std::string& fileName(Grid grid) const;

    // The rows a command goes through, known before it runs: the maximum data count (none where
    // its box holds no count) or the filled rows of its table, whichever is more. A front end
    // judges by them whether to let the wait cursor show first.
    int rowsOf(Work work, const Controls& controls) const;

    // The start command: the input page in front, the tables sized to the maximum data count.
    Outcome start(const Controls& controls);
    // The calculation run: the result page is in front before the first row is computed, so it
    // shows the rows done also when a later row fails, the failing one in view.
    Outcome run(const Controls& controls);
    // The user chose a page: the result page can be reached again only by the next run.
    Outcome changePage(Page chosen);

    // The row editing commands; the copies bring the row written into view. Clear all runs
    // once its question is answered with OK.
    Outcome copyFirstRow();
    Outcome copyChosenRow(const Controls& controls);
    Outcome partialClear(const Controls& controls);
    Outcome clearAll(const Controls& controls);

    // A block of cells from the clipboard (one that isCellBlock) written from the cell (column,
    // row) on, at least (1, 1), checked whole first; and the last paste taken back, unless its
    // cells have changed since.
    Outcome paste(int column, int row, std::string_view text);
    Outcome undoPaste();

    // Reading a data file checks the maximum data count before the dialog opens (the input data
    // file), then the count again, then reads the whole file, and only then changes the table;
    // its values go under the headers the table has. The name box shows the file.
    Outcome checkCount(const Controls& controls) const;
    Outcome readFile(Grid grid, DataFile& file, const Controls& controls);
    // Saving: `write` writes the grid's table to the file (the result file in the unit chosen);
    // once it is written the name box shows it.
    Outcome saveFile(Grid grid, const std::string& name, const std::function<void()>& write);

    // A data file given to open with the window, told apart by its header line: the start
    // command with the maximum data count raised to the file's rows, then an input data file
    // read as a read does, or a result file on the result page laid out as a run in the unit of
    // its unit line lays it out. The file is read before anything changes, so a failure leaves
    // the start page as it was. The input read's dialog keeps it (the result read's, for a
    // result file), as if it had been chosen there.
    Outcome openFile(DataFile& file, const Controls& controls);

    // The grid's printed listing, titled with its file name box's text; the result listing's
    // unit line in the unit chosen.
    Listing listing(Grid grid, StiffnessUnit unit) const;
    // The same listing drawn a part at a time as lines of pages, so that a front end keeps
    // answering in between: its page count first, refused beyond mostPages (none when 0) before
    // anything is drawn; then the head and up to `rows` further rows a call, `more` false once it
    // is drawn whole; a cell that holds no number ends it with its failure. These throw their
    // failures. The tables must not change until the listing ends.
    int beginListing(Grid grid, StiffnessUnit unit, PageLines::Metrics metrics, int mostPages);
    std::vector<PageLines::Line> continueListing(int rows, bool& more);
    void endListing();

  private:
    struct ListingJob;

    void startSteps(const Controls& controls, Outcome& outcome);
    void showResultPage(int n, StiffnessUnit unit, Outcome& outcome);
    void showFileName(Grid grid, std::string name, Outcome& outcome);
    void select(Page page);
    void setTabShown(Page page, bool shown);
    // Runs a command's steps; the outcome names the pages where they changed.
    Outcome command(const std::function<void(Outcome&)>& steps);

    Table input_;
    Table results_;
    Pages pages_;
    std::array<FileDialog, 4> dialogs_;
    std::array<std::string, 2> fileNames_;
    std::optional<Paste> lastPaste_;
    std::unique_ptr<ListingJob> listing_;
};

}  // namespace talveno::window
