#include "window/form.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <utility>

#include "core/failure.h"
#include "core/full_width_numbers.h"
#include "core/messages.h"
#include "print/listings.h"
#include "print/print_failures.h"
#include "print/print_stream.h"
#include "tables/calculation_run.h"
#include "tables/cell_block.h"
#include "tables/layouts.h"
#include "tables/max_data_count.h"
#include "tables/row_editing.h"
#include "tables/start_command.h"
#include "window/help_messages.h"
#include "window/layout.h"
#include "window/window_texts.h"

namespace talveno::window {

namespace {

std::size_t indexOf(Page page) {
    return static_cast<std::size_t>(page);
}

enum class FileKind { Input, ResultsInMpa, ResultsInKgf, Other };

// Line `index` (from 0) of a text, without its line end: LF, or CR LF.
std::string_view lineOf(std::string_view text, int index) {
    for (; index > 0; --index) {
        const std::size_t end = text.find('\n');
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    text = text.substr(0, text.find('\n'));
    if (text.ends_with('\r')) text.remove_suffix(1);
    return text;
}

// A data file's kind by its first line, and for a result file by its unit line too; with CR LF
// or LF line ends.
FileKind kindOf(std::string_view head) {
    static const std::string inputLines = inputDataFileBytes(layouts::makeInputTable());
    if (lineOf(head, 0) == lineOf(inputLines, 0)) return FileKind::Input;
    const std::string_view mpaLines = resultFileHeaderLines(StiffnessUnit::Mpa);
    const std::string_view kgfLines = resultFileHeaderLines(StiffnessUnit::KgfPerCm2);
    if (lineOf(head, 0) != lineOf(mpaLines, 0)) return FileKind::Other;
    if (lineOf(head, 1) == lineOf(mpaLines, 1)) return FileKind::ResultsInMpa;
    if (lineOf(head, 1) == lineOf(kgfLines, 1)) return FileKind::ResultsInKgf;
    return FileKind::Other;
}

// The maximum data count a box's text gives, if any.
std::optional<int> countIn(const Controls& controls) {
    try {
        return parseMaxDataCount(controls.maxCountText);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

}  // namespace

void Outcome::show(std::string_view control, std::string text) {
    texts.push_back({control, std::move(text)});
}

Outcome attempt(const std::function<void(Outcome&)>& steps) {
    Outcome outcome;
    const auto fail = [&outcome](std::string text) {
        outcome.box = Box::Error;
        outcome.boxText = std::move(text);
    };
    const auto internalError = [&fail](const char* fault) {
        std::fprintf(stderr, "talveno: internal error: %s\n", fault);
        fail(withFullStop(texts::kInternalError));
    };
    try {
        steps(outcome);
    } catch (const Failure& failure) {
        fail(errorBoxText(failure.message(), failure.row()));
    } catch (const std::bad_alloc&) {
        fail(errorBoxText(messages::outOfMemory().message(), 0));
    } catch (const std::exception& fault) {
        internalError(fault.what());
    } catch (...) {
        internalError("unknown exception");
    }
    return outcome;
}

Outcome helpMessage(int number) {
    return attempt([number](Outcome& outcome) {
        outcome.boxText = help::displayed(help::message(number));
        outcome.box = Box::Information;
    });
}

// A listing being drawn: its lines live as long as the stream drawing them.
struct Form::ListingJob {
    ListingJob(ListingInParts parts, PageLines::Metrics metrics)
        : listing(std::move(parts)), lines(std::move(metrics)), stream(lines) {}
    ListingInParts listing;
    PageLines lines;
    PrintStream stream;
};

Form::Form()
    : input_(layouts::makeInputTable()),
      results_(layouts::makeResultTable()),
      dialogs_{
          {{std::string(texts::kInputOpenFilter), "", ""},
           {std::string(texts::kInputSaveFilter), std::string(texts::kInputExtension), ""},
           {texts::resultFilter(StiffnessUnit::Mpa), "", ""},
           {texts::resultFilter(StiffnessUnit::Mpa), std::string(texts::kResultExtension), ""}}},
      fileNames_{std::string(layout::control(layout::kInputFileName).text),
                 std::string(layout::control(layout::kResultFileName).text)} {}

Form::~Form() = default;

const std::string& Form::fileName(Grid grid) const {
    return fileNames_[static_cast<std::size_t>(grid)];
}

int Form::rowsOf(Work work, const Controls& controls) const {
    const std::optional<int> count = countIn(controls);
    const int filledInput = input_.filledRowCount();
    switch (work) {
        case Work::Start:
            return count.value_or(0);
        case Work::Run:  // refused at once without a count
            return count ? std::max(*count, filledInput) : 0;
        case Work::PartialClear:
        case Work::ClearAll:
            return std::max(count.value_or(0), filledInput);
        case Work::SaveInput:
            return filledInput;
        case Work::SaveResults:
            return results_.filledRowCount();
    }
    return 0;
}

Outcome Form::command(const std::function<void(Outcome&)>& steps) {
    const Pages before = pages_;
    Outcome outcome = attempt(steps);
    if (pages_ != before) outcome.pages = pages_;
    return outcome;
}

// A command's selection of a page whose tab is hidden leaves it behind: the failing first start
// leaves the start page in front rather than a page without a tab.
void Form::select(Page page) {
    if (pages_.tabShown[indexOf(page)]) pages_.current = page;
}

void Form::setTabShown(Page page, bool shown) {
    pages_.tabShown[indexOf(page)] = shown;
}

void Form::showFileName(Grid grid, std::string name, Outcome& outcome) {
    const bool input = grid == Grid::Input;
    fileNames_[static_cast<std::size_t>(grid)] = name;
    outcome.show(input ? layout::kInputFileName : layout::kResultFileName, std::move(name));
}

Outcome Form::start(const Controls& controls) {
    return command([&](Outcome& outcome) { startSteps(controls, outcome); });
}

void Form::startSteps(const Controls& controls, Outcome& outcome) {
    select(Page::Input);
    for (const std::string_view box : {layout::kRowBox, layout::kFirstRowBox, layout::kLastRowBox})
        outcome.show(box, "");
    outcome.tablesChanged = true;
    startTables(input_, results_, controls.maxCountText);
    outcome.show(layout::kResultCount, controls.maxCountText);
    outcome.show(layout::kInputCount, controls.maxCountText);
    setTabShown(Page::Input, true);
    setTabShown(Page::Results, false);
    select(Page::Input);
    showFileName(Grid::Input, "", outcome);
}

Outcome Form::run(const Controls& controls) {
    return command([&](Outcome& outcome) {
        const int n = parseMaxDataCount(controls.maxCountText);
        outcome.tablesChanged = true;
        const CalculationSettings settings{controls.unit, controls.vanDraat};
        showResultPage(n, settings.unit, outcome);
        try {
            computeFilledRows(input_, results_, settings);
        } catch (const Failure& failure) {
            if (failure.row() > 0) outcome.rowInView = RowInView{Grid::Results, failure.row()};
            throw;
        }
    });
}

// The result page in front, as a run in the unit lays it out: rows 1 to n emptied, headed and
// numbered, the result files' filter and pattern those of the unit, no file named yet.
void Form::showResultPage(int n, StiffnessUnit unit, Outcome& outcome) {
    clearResults(results_, n);
    setTabShown(Page::Results, true);
    select(Page::Results);
    layOutResults(results_, n, unit);
    dialog(Dialog::OpenResults).filter = dialog(Dialog::SaveResults).filter =
        texts::resultFilter(unit);
    outcome.show(layout::kResultPattern, texts::resultPattern(unit));
    showFileName(Grid::Results, "", outcome);
}

Outcome Form::changePage(Page chosen) {
    return command([&](Outcome&) {
        pages_.current = chosen;
        setTabShown(Page::Results, false);
    });
}

Outcome Form::copyFirstRow() {
    return command([&](Outcome& outcome) {
        const int target = talveno::copyFirstRow(input_);
        outcome.tablesChanged = true;
        outcome.rowInView = RowInView{Grid::Input, target};
    });
}

Outcome Form::copyChosenRow(const Controls& controls) {
    return command([&](Outcome& outcome) {
        const int target = talveno::copyChosenRow(input_, controls.rowText);
        outcome.tablesChanged = true;
        outcome.rowInView = RowInView{Grid::Input, target};
    });
}

Outcome Form::partialClear(const Controls& controls) {
    return command([&](Outcome& outcome) {
        outcome.tablesChanged = true;
        talveno::partialClear(input_, controls.maxCountText, controls.firstRowText,
                              controls.lastRowText);
    });
}

Outcome Form::clearAll(const Controls& controls) {
    return command([&](Outcome& outcome) {
        outcome.tablesChanged = true;
        talveno::clearAll(input_, controls.maxCountText);
        showFileName(Grid::Input, "", outcome);
        for (const std::string_view box :
             {layout::kRowBox, layout::kFirstRowBox, layout::kLastRowBox})
            outcome.show(box, "");
    });
}

Outcome Form::paste(int column, int row, std::string_view text) {
    return command([&](Outcome& outcome) {
        const CellBlock block = parseCellBlock(halfWidthNumberText(text));
        outcome.tablesChanged = true;
        lastPaste_ = pasteBlock(input_, std::max(1, column), std::max(1, row), block);
    });
}

Outcome Form::undoPaste() {
    return command([&](Outcome& outcome) {
        if (!lastPaste_) return;
        outcome.tablesChanged = true;
        talveno::undoPaste(input_, *lastPaste_);
        lastPaste_.reset();
    });
}

Outcome Form::checkCount(const Controls& controls) const {
    return attempt([&](Outcome&) { parseMaxDataCount(controls.maxCountText); });
}

Outcome Form::readFile(Grid grid, DataFile& file, const Controls& controls) {
    return command([&](Outcome& outcome) {
        const int n = parseMaxDataCount(controls.maxCountText);
        if (grid == Grid::Input) {
            const std::vector<InputRecord> records = file.inputRecords();
            outcome.tablesChanged = true;
            applyInputDataFile(input_, n, records);
        } else {
            const std::vector<ResultRecord> records = file.resultRecords();
            outcome.tablesChanged = true;
            applyResultFile(results_, n, records);
        }
        showFileName(grid, file.name(), outcome);
    });
}

Outcome Form::saveFile(Grid grid, const std::string& name, const std::function<void()>& write) {
    return command([&](Outcome& outcome) {
        write();
        showFileName(grid, name, outcome);
    });
}

Outcome Form::openFile(DataFile& file, const Controls& controls) {
    dialog(Dialog::OpenInput).fileName = file.name();
    return command([&](Outcome& outcome) {
        const FileKind kind = kindOf(file.head());
        if (kind == FileKind::Other) throw Failure(texts::notADataFile(file.name()));
        Controls set = controls;
        const auto raiseCountTo = [&set, &outcome](std::size_t rows) {
            if (static_cast<long long>(rows) <= parseMaxDataCount(set.maxCountText)) return;
            set.maxCountText = std::to_string(rows);
            outcome.show(layout::kCountBox, set.maxCountText);
        };
        if (kind == FileKind::Input) {
            const std::vector<InputRecord> records = file.inputRecords();
            raiseCountTo(records.size());
            startSteps(set, outcome);
            applyInputDataFile(input_, parseMaxDataCount(set.maxCountText), records);
            showFileName(Grid::Input, file.name(), outcome);
            return;
        }
        const std::vector<ResultRecord> records = file.resultRecords();
        dialog(Dialog::OpenResults).fileName =
            std::exchange(dialog(Dialog::OpenInput).fileName, std::string());
        raiseCountTo(records.size());
        // The unit chosen is the file's, as after a run in it: saving and printing write its
        // unit line over its values.
        set.unit = kind == FileKind::ResultsInMpa ? StiffnessUnit::Mpa : StiffnessUnit::KgfPerCm2;
        outcome.unit = set.unit;
        startSteps(set, outcome);
        const int n = parseMaxDataCount(set.maxCountText);
        showResultPage(n, set.unit, outcome);
        applyResultFile(results_, n, records);
        showFileName(Grid::Results, file.name(), outcome);
    });
}

Listing Form::listing(Grid grid, StiffnessUnit unit) const {
    if (grid == Grid::Input)
        return [this, name = fileName(grid)](ListingSink& sink) {
            writeInputListing(input_, name, sink);
        };
    return [this, unit, name = fileName(grid)](ListingSink& sink) {
        writeResultListing(results_, unit, name, sink);
    };
}

int Form::beginListing(Grid grid, StiffnessUnit unit, PageLines::Metrics metrics, int mostPages) {
    listing_.reset();
    auto job = std::make_unique<ListingJob>(
        grid == Grid::Input ? ListingInParts::ofInput(input_, fileName(grid))
                            : ListingInParts::ofResults(results_, unit, fileName(grid)),
        std::move(metrics));
    const int pages = job->listing.pageCount(job->lines);
    if (mostPages > 0 && pages > mostPages) throw print_failures::tooManyPages(pages, mostPages);
    listing_ = std::move(job);
    return pages;
}

std::vector<PageLines::Line> Form::continueListing(int rows, bool& more) {
    if (!listing_) throw std::logic_error("no listing begun");
    try {
        more = listing_->listing.writeNext(listing_->stream, rows);
    } catch (...) {
        listing_.reset();
        throw;
    }
    std::vector<PageLines::Line> lines = listing_->lines.take();
    if (!more) listing_.reset();
    return lines;
}

void Form::endListing() {
    listing_.reset();
}

}  // namespace talveno::window
