#include "ui/main_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <cstdio>
#include <functional>
#include <new>

#include "core/failure.h"
#include "core/messages.h"
#include "disk/disk_files.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "print/listings.h"
#include "tables/calculation_run.h"
#include "tables/cell_block.h"
#include "tables/layouts.h"
#include "tables/max_data_count.h"
#include "tables/row_editing.h"
#include "tables/start_command.h"
#include "ui/help_texts.h"
#include "ui/local_paths.h"
#include "ui/look.h"
#include "ui/nomograph_view.h"
#include "ui/number_input.h"
#include "ui/qt_dialogs.h"
#include "ui/string_grid.h"
#include "window/window_texts.h"

using namespace talveno;
using namespace talveno::ui;

namespace {

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

QString resultFilter(StiffnessUnit unit) {
    const QString extension = QString::fromUtf8(resultFileExtension(unit).data());
    return QStringLiteral("出力ファイル(*.%1)|*.%1").arg(extension);
}

void emptyFileNameBox(QPlainTextEdit* box) {
    box->clear();
    setBackground(box, buttonFace());
}

void showFileName(QPlainTextEdit* box, const QString& path) {
    box->setPlainText(path);
    setBackground(box, buttonFace());
}

// The grids show what a command wrote when it ends, also when it fails half way.
class TablesShownAtEnd {
  public:
    explicit TablesShownAtEnd(std::function<void()> show) : show_(std::move(show)) {}
    ~TablesShownAtEnd() { show_(); }
    TablesShownAtEnd(const TablesShownAtEnd&) = delete;
    TablesShownAtEnd& operator=(const TablesShownAtEnd&) = delete;

  private:
    std::function<void()> show_;
};

}  // namespace

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QWidget(parent),
      OpenDialog1{QStringLiteral("*.dat|*.dat|すべてのファイル|*.*"), {}, {}},
      SaveDialog1{QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), {}},
      OpenDialog2{resultFilter(StiffnessUnit::Mpa), {}, {}},
      SaveDialog2{resultFilter(StiffnessUnit::Mpa), QStringLiteral("out"), {}},
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(this)),
      input_(layouts::makeInputTable()),
      result_(layouts::makeResultTable()) {
    createWindow();
    connectCommands();
}

// The pages go first: their grids read the tables until they are gone.
TForm1::~TForm1() {
    delete PageControl1;
}

void TForm1::connectCommands() {
    connectButton(BitBtn1, &TForm1::BitBtn1Click);
    connectButton(Button11, &TForm1::Button11Click);
    connectButton(Button12, &TForm1::Button12Click);
    connectButton(BitBtn3, &TForm1::BitBtn3Click);
    connectButton(BitBtn2, &TForm1::BitBtn2Click);
    connectButton(Button3, &TForm1::Button3Click);
    connectButton(Button7, &TForm1::Button7Click);
    connectButton(Button9, &TForm1::Button9Click);
    connectButton(Button8, &TForm1::Button8Click);
    connectButton(Button2, &TForm1::Button2Click);
    connectButton(Button10, &TForm1::Button10Click);
    connectButton(BitBtn4, &TForm1::BitBtn4Click);
    connectButton(Button6, &TForm1::Button6Click);
    connectButton(BitBtn6, &TForm1::BitBtn6Click);
    connectButton(BitBtn5, &TForm1::BitBtn5Click);
    connectButton(Button4, &TForm1::Button4Click);
    connectButton(Button5, &TForm1::Button5Click);
    connectButton(Button1, &TForm1::Button1Click);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (!commandSelectsPage_) run(&TForm1::PageControl1Change);
    });
    connectClipboard();
}

void TForm1::connectClipboard() {
    connect(StringGrid1, &StringGrid::pasteRequested, this,
            [this] { run(&TForm1::StringGrid1Paste); });
    connect(StringGrid1, &StringGrid::undoRequested, this,
            [this] { run(&TForm1::StringGrid1Undo); });
    connect(StringGrid2, &QAbstractItemView::doubleClicked, this,
            [this] { run(&TForm1::StringGrid2DblClick); });
    connect(StringGrid2, &StringGrid::rowOpened, this,
            [this] { run(&TForm1::StringGrid2DblClick); });
    // Opened by a key, the menu has its first item active, for the arrows and Enter.
    connect(StringGrid2, &StringGrid::menuKeyPressed, this, [this](const QPoint& at) {
        PopupMenu1->popup(StringGrid2->viewport()->mapToGlobal(at));
        PopupMenu1->setActiveAction(Copy1);
    });
    connect(StringGrid2, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // A click outside the selection makes the cell under it the current one.
        const QModelIndex under = StringGrid2->indexAt(at);
        if (under.isValid() && !StringGrid2->selectionModel()->isSelected(under))
            StringGrid2->setCurrentIndex(under);
        PopupMenu1->popup(StringGrid2->viewport()->mapToGlobal(at));
    });
    const auto connectItem = [this](QAction* item, void (TForm1::*command)()) {
        connect(item, &QAction::triggered, this, [this, command] { run(command); });
    };
    connectItem(Copy1, &TForm1::Copy1Click);
    connectItem(SelectAll1, &TForm1::SelectAll1Click);
    connectItem(Nomograph1, &TForm1::Nomograph1Click);
}

void TForm1::connectButton(QPushButton* button, void (TForm1::*command)()) {
    connect(button, &QPushButton::clicked, this, [this, command] { run(command); });
}

// A fault of the program is no message for the user: the box says that the command stopped,
// and the fault's own text goes to standard error. Running out of memory has a message of its
// own.
void TForm1::run(void (TForm1::*command)()) {
    const auto internalError = [this](const char* fault) {
        std::fprintf(stderr, "talveno: internal error: %s\n", fault);
        dialogs_->error(QString::fromUtf8(withFullStop(texts::kInternalError)));
    };
    const auto failed = [this](const Failure& failure) {
        dialogs_->error(QString::fromStdString(errorBoxText(failure.message(), failure.row())));
    };
    try {
        (this->*command)();
    } catch (const Failure& failure) {
        failed(failure);
    } catch (const std::bad_alloc&) {
        failed(messages::outOfMemory());
    } catch (const std::exception& fault) {
        internalError(fault.what());
    } catch (...) {
        internalError("unknown exception");
    }
}

// A page whose tab is hidden stays behind: the failing first start leaves the start page in
// front rather than a page without a tab.
void TForm1::selectPage(QWidget* page) {
    if (!PageControl1->isTabVisible(PageControl1->indexOf(page))) return;
    commandSelectsPage_ = true;
    PageControl1->setCurrentWidget(page);
    commandSelectsPage_ = false;
}

// A hidden tab is also disabled: the page container and its tab row pass over disabled tabs
// wherever the user turns pages (keys, wheel, clicks), whereas they may turn to a hidden one.
void TForm1::setTabShown(QWidget* page, bool shown) {
    const int index = PageControl1->indexOf(page);
    commandSelectsPage_ = true;
    PageControl1->tabBar()->setTabEnabled(index, shown);
    PageControl1->setTabVisible(index, shown);
    commandSelectsPage_ = false;
}

void TForm1::showTables() {
    StringGrid1->showTable();
    StringGrid2->showTable();
}

void TForm1::showHelp(std::string_view text) {
    dialogs_->information(help::displayed(text));
}

// The start command: the input page in front, the tables sized to the maximum data count.
void TForm1::BitBtn1Click() {
    const WaitCursor waiting;
    selectPage(TabSheet2);
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    const TablesShownAtEnd shown([this] { showTables(); });
    startTables(input_, result_, text(Edit4));
    for (QLabel* count : {Label17, Label18}) {
        count->setText(Edit4->text());
        count->adjustSize();
    }
    setTabShown(TabSheet2, true);
    setTabShown(TabSheet3, false);
    selectPage(TabSheet2);
    emptyFileNameBox(Memo1);
}

// The calculation run: the result page is in front before the first row is computed, so it
// shows the rows done also when a later row fails, the failing one in view.
void TForm1::BitBtn4Click() {
    const WaitCursor waiting;
    const int n = parseMaxDataCount(text(Edit4));
    const TablesShownAtEnd shown([this] { showTables(); });
    const CalculationSettings settings{chosenUnit(), correctionItems_->checkedId() == 1};
    showResultPage(n, settings.unit);
    try {
        computeFilledRows(input_, result_, settings);
    } catch (const Failure& failure) {
        showTables();
        StringGrid2->scrollToTableRow(failure.row());
        throw;
    }
}

// The result page in front, as a run in the unit lays it out: rows 1 to n emptied, headed and
// numbered, the result files' filter and pattern those of the unit, no file named yet.
void TForm1::showResultPage(int n, StiffnessUnit unit) {
    clearResults(result_, n);
    setBackground(Memo2, buttonFace());
    setTabShown(TabSheet3, true);
    selectPage(TabSheet3);
    layOutResults(result_, n, unit);
    SaveDialog2.filter = OpenDialog2.filter = resultFilter(unit);
    Label12->setText(QStringLiteral("*.") + QString::fromUtf8(resultFileExtension(unit).data()));
    Label12->adjustSize();
    Memo2->clear();
}

// The copy commands bring the row written into view when it is one of the rows shown.
void TForm1::Button7Click() {
    const int target = copyFirstRow(input_);
    showTables();
    StringGrid1->scrollToTableRow(target);
}

void TForm1::Button9Click() {
    const int target = copyChosenRow(input_, text(Edit1));
    showTables();
    StringGrid1->scrollToTableRow(target);
}

void TForm1::Button8Click() {
    const WaitCursor waiting;
    const TablesShownAtEnd shown([this] { showTables(); });
    partialClear(input_, text(Edit4), text(Edit2), text(Edit3));
}

void TForm1::Button2Click() {
    if (!dialogs_->confirm(QStringLiteral("データをクリアします！よろしいですか？"))) return;
    const WaitCursor waiting;
    const TablesShownAtEnd shown([this] { showTables(); });
    clearAll(input_, text(Edit4));
    emptyFileNameBox(Memo1);
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
}

void TForm1::Button6Click() {
    showHelp(help::kHelp1);
}

void TForm1::Button5Click() {
    showHelp(help::kHelp2);
}

void TForm1::Button10Click() {
    showHelp(help::kHelp3);
}

void TForm1::Button11Click() {
    showHelp(help::kHelp4);
}

void TForm1::Button12Click() {
    showHelp(help::kHelp5);
}

void TForm1::Button1Click() {
    if (dialogs_->confirm(QStringLiteral("プログラムを終了してよろしいですか？")))
        dialogs_->endProcess();
}

// The user chose a page: the result page can be reached again only by the next run.
void TForm1::PageControl1Change() {
    setTabShown(TabSheet3, false);
}

StiffnessUnit TForm1::chosenUnit() const {
    return unitItems_->checkedId() == 0 ? StiffnessUnit::Mpa : StiffnessUnit::KgfPerCm2;
}

// Saving the input data file: the name box shows the file only once it is written.
void TForm1::BitBtn3Click() {
    const auto path = chooseFileToSave(*dialogs_, SaveDialog1);
    if (!path) return;
    const WaitCursor waiting;
    saveInputDataFile(input_, localPath(*path));
    showFileName(Memo1, *path);
}

// Reading the input data file: the table changes only when the whole file has been read.
void TForm1::BitBtn2Click() {
    const int n = parseMaxDataCount(text(Edit4));
    const auto path = chooseFileToOpen(*dialogs_, OpenDialog1);
    if (!path) return;
    const WaitCursor waiting;
    const auto records = readInputDataFile(localPath(*path));
    const TablesShownAtEnd shown([this] { showTables(); });
    applyInputDataFile(input_, n, records);
    showFileName(Memo1, *path);
}

// Saving the result file, with the unit line of the unit chosen now.
void TForm1::BitBtn6Click() {
    const auto path = chooseFileToSave(*dialogs_, SaveDialog2);
    if (!path) return;
    const WaitCursor waiting;
    saveResultFile(result_, chosenUnit(), localPath(*path));
    showFileName(Memo2, *path);
}

// Reading the result file: its values go under the headers of the last run, unconverted.
void TForm1::BitBtn5Click() {
    const auto path = chooseFileToOpen(*dialogs_, OpenDialog2);
    if (!path) return;
    const WaitCursor waiting;
    const int n = parseMaxDataCount(text(Edit4));
    const auto records = readResultFile(localPath(*path));
    const TablesShownAtEnd shown([this] { showTables(); });
    applyResultFile(result_, n, records);
    showFileName(Memo2, *path);
}

// Printing the input table, titled with the input data file's name.
void TForm1::Button3Click() {
    const std::string dataName = Memo1->toPlainText().toStdString();
    PrintDialog1.printListing(
        *dialogs_, [&](ListingSink& sink) { writeInputListing(input_, dataName, sink); });
}

// Printing the result table, its unit line in the unit chosen now.
void TForm1::Button4Click() {
    const std::string dataName = Memo2->toPlainText().toStdString();
    const StiffnessUnit unit = chosenUnit();
    PrintDialog1.printListing(
        *dialogs_, [&](ListingSink& sink) { writeResultListing(result_, unit, dataName, sink); });
}

// A block of cells from the clipboard written from the current cell on, checked whole first.
void TForm1::StringGrid1Paste() {
    const CellBlock block =
        parseCellBlock(halfWidthNumberText(QGuiApplication::clipboard()->text()).toStdString());
    const int column = std::max(1, StringGrid1->currentTableColumn());
    const int row = std::max(1, StringGrid1->currentTableRow());
    const TablesShownAtEnd shown([this] { showTables(); });
    lastPaste_ = pasteBlock(input_, column, row, block);
}

// The last paste taken back, unless its cells have changed since.
void TForm1::StringGrid1Undo() {
    if (!lastPaste_) return;
    const TablesShownAtEnd shown([this] { showTables(); });
    undoPaste(input_, *lastPaste_);
    lastPaste_.reset();
}

void TForm1::Copy1Click() {
    StringGrid2->copySelection();
}

void TForm1::SelectAll1Click() {
    StringGrid2->selectFilledRows();
}

// The view shows the look-up the engine makes for the row's cells, or why there is none.
void TForm1::StringGrid2DblClick() {
    const int row = StringGrid2->currentTableRow();
    if (row < 1) return;
    if (!nomographView_) {
        nomographView_ = new NomographView(this);
        connectButton(nomographView_->savePngButton(), &TForm1::ViewSavePngClick);
        connectButton(nomographView_->savePdfButton(), &TForm1::ViewSavePdfClick);
        connectButton(nomographView_->printButton(), &TForm1::ViewPrintClick);
        connect(nomographView_, &NomographView::closed, this, [this] {
            activateWindow();
            StringGrid2->setFocus();
        });
    }
    nomographView_->showPage(NomographPage(row, lookUpResultRow(result_, row)));
}

void TForm1::Nomograph1Click() {
    StringGrid2DblClick();
}

void TForm1::ViewSavePngClick() {
    nomographView_->savePng(*dialogs_);
}

void TForm1::ViewSavePdfClick() {
    nomographView_->savePdf(*dialogs_);
}

void TForm1::ViewPrintClick() {
    nomographView_->print(*dialogs_, PrintDialog1);
}
