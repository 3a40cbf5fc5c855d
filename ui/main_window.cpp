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
#include <QUrl>
#include <filesystem>
#include <utility>

#include "disk/disk_files.h"
#include "tables/calculation_run.h"
#include "ui/curves_view.h"
#include "ui/disk_file.h"
#include "ui/local_paths.h"
#include "ui/nomograph_view.h"
#include "ui/qt_dialogs.h"
#include "ui/string_grid.h"
#include "window/guide.h"
#include "window/window_texts.h"

using namespace talveno;
using namespace talveno::ui;
using window::Dialog;
using window::Grid;
using window::Outcome;

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, QWidget* parent, std::unique_ptr<Desktop> desktop)
    : QWidget(parent),
      OpenDialog1(form_.dialog(Dialog::OpenInput)),
      SaveDialog1(form_.dialog(Dialog::SaveInput)),
      OpenDialog2(form_.dialog(Dialog::OpenResults)),
      SaveDialog2(form_.dialog(Dialog::SaveResults)),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(this)),
      desktop_(desktop ? std::move(desktop) : std::make_unique<QtDesktop>()) {
    createWindow();
    connectCommands();
}

// The pages go first: their grids read the tables until they are gone.
TForm1::~TForm1() {
    delete PageControl1;
}

void TForm1::connectCommands() {
    const std::pair<const char*, void (TForm1::*)()> buttons[] = {
        {"BitBtn1", &TForm1::BitBtn1Click},   {"Button11", &TForm1::Button11Click},
        {"Button12", &TForm1::Button12Click}, {"BitBtn3", &TForm1::BitBtn3Click},
        {"BitBtn2", &TForm1::BitBtn2Click},   {"Button3", &TForm1::Button3Click},
        {"Button7", &TForm1::Button7Click},   {"Button9", &TForm1::Button9Click},
        {"Button8", &TForm1::Button8Click},   {"Button2", &TForm1::Button2Click},
        {"Button10", &TForm1::Button10Click}, {"BitBtn4", &TForm1::BitBtn4Click},
        {"Button6", &TForm1::Button6Click},   {"BitBtn6", &TForm1::BitBtn6Click},
        {"BitBtn5", &TForm1::BitBtn5Click},   {"Button4", &TForm1::Button4Click},
        {"Button5", &TForm1::Button5Click},   {"Button1", &TForm1::Button1Click},
    };
    for (const auto& [name, command] : buttons)
        connectButton(findChild<QPushButton*>(QString::fromLatin1(name)), command);
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
    connect(StringGrid2, &StringGrid::rowCurvesOpened, this,
            [this] { run(&TForm1::Curves1Click); });
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
    connectItem(Guide1, &TForm1::Guide1Click);
    connectItem(Curves1, &TForm1::Curves1Click);
}

void TForm1::connectButton(QWidget* button, void (TForm1::*command)()) {
    connect(static_cast<QPushButton*>(button), &QPushButton::clicked, this,
            [this, command] { run(command); });
}

void TForm1::run(void (TForm1::*command)()) {
    showOutcome(window::attempt([this, command](Outcome&) { (this->*command)(); }));
}

window::Controls TForm1::controls() const {
    return {Edit1->text().toStdString(),
            Edit2->text().toStdString(),
            Edit3->text().toStdString(),
            Edit4->text().toStdString(),
            unitItems_->checkedId() == 0 ? StiffnessUnit::Mpa : StiffnessUnit::KgfPerCm2,
            correctionItems_->checkedId() == 1};
}

void TForm1::waitOn() {
    if (!waiting_) waiting_.emplace();
}

void TForm1::showOutcome(const Outcome& outcome) {
    if (outcome.pages) showPages(*outcome.pages);
    for (const window::ControlText& written : outcome.texts) {
        QWidget* control = findChild<QWidget*>(text(written.control));
        const QString shown = QString::fromStdString(written.text);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(shown);
            label->adjustSize();
        } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
            shown.isEmpty() ? box->clear() : box->setText(shown);
        } else if (auto* fileName = qobject_cast<QPlainTextEdit*>(control)) {
            fileName->setPlainText(shown);
            setBackground(fileName, buttonFace());
        }
    }
    if (outcome.unit) unitItems_->button(static_cast<int>(*outcome.unit))->setChecked(true);
    if (outcome.tablesChanged) showTables();
    if (outcome.rowInView) grid(outcome.rowInView->grid)->scrollToTableRow(outcome.rowInView->row);
    waiting_.reset();
    if (outcome.box == window::Box::Information) dialogs_->information(text(outcome.boxText));
    if (outcome.box == window::Box::Error) dialogs_->error(text(outcome.boxText));
}

// A hidden tab is also disabled: the page container and its tab row pass over disabled tabs
// wherever the user turns pages (keys, wheel, clicks), whereas they may turn to a hidden one.
// The page in front always has its tab shown.
void TForm1::showPages(const window::Pages& pages) {
    commandSelectsPage_ = true;
    const auto setTabShown = [this](int index, bool shown) {
        PageControl1->tabBar()->setTabEnabled(index, shown);
        PageControl1->setTabVisible(index, shown);
    };
    for (int index = 0; index < 3; ++index)
        if (pages.tabShown[index]) setTabShown(index, true);
    PageControl1->setCurrentIndex(static_cast<int>(pages.current));
    for (int index = 0; index < 3; ++index)
        if (!pages.tabShown[index]) setTabShown(index, false);
    commandSelectsPage_ = false;
}

void TForm1::showTables() {
    StringGrid1->showTable();
    StringGrid2->showTable();
}

StringGrid* TForm1::grid(Grid grid) const {
    return grid == Grid::Input ? StringGrid1 : StringGrid2;
}

void TForm1::BitBtn1Click() {
    waitOn();
    showOutcome(form_.start(controls()));
}

void TForm1::BitBtn4Click() {
    waitOn();
    showOutcome(form_.run(controls()));
}

void TForm1::Button7Click() {
    showOutcome(form_.copyFirstRow());
}

void TForm1::Button9Click() {
    showOutcome(form_.copyChosenRow(controls()));
}

void TForm1::Button8Click() {
    waitOn();
    showOutcome(form_.partialClear(controls()));
}

void TForm1::Button2Click() {
    if (!dialogs_->confirm(text(window::texts::kClearAllQuestion))) return;
    waitOn();
    showOutcome(form_.clearAll(controls()));
}

void TForm1::Button6Click() {
    showOutcome(window::helpMessage(1));
}

void TForm1::Button5Click() {
    showOutcome(window::helpMessage(2));
}

void TForm1::Button10Click() {
    showOutcome(window::helpMessage(3));
}

void TForm1::Button11Click() {
    showOutcome(window::helpMessage(4));
}

void TForm1::Button12Click() {
    showOutcome(window::helpMessage(5));
}

void TForm1::Button1Click() {
    if (dialogs_->confirm(text(window::texts::kExitQuestion))) dialogs_->endProcess();
}

void TForm1::PageControl1Change() {
    showOutcome(form_.changePage(static_cast<window::Page>(PageControl1->currentIndex())));
}

void TForm1::BitBtn3Click() {
    const auto path = chooseFileToSave(*dialogs_, SaveDialog1);
    if (!path) return;
    waitOn();
    showOutcome(form_.saveFile(Grid::Input, path->toStdString(), [&] {
        saveInputDataFile(form_.table(Grid::Input), localPath(*path));
    }));
}

void TForm1::BitBtn2Click() {
    if (const Outcome refused = form_.checkCount(controls()); refused.failed())
        return showOutcome(refused);
    const auto path = chooseFileToOpen(*dialogs_, OpenDialog1);
    if (!path) return;
    waitOn();
    DiskFile file(*path);
    showOutcome(form_.readFile(Grid::Input, file, controls()));
}

// The result file's unit line in the unit chosen now.
void TForm1::BitBtn6Click() {
    const auto path = chooseFileToSave(*dialogs_, SaveDialog2);
    if (!path) return;
    waitOn();
    const StiffnessUnit unit = controls().unit;
    showOutcome(form_.saveFile(Grid::Results, path->toStdString(), [&] {
        saveResultFile(form_.table(Grid::Results), unit, localPath(*path));
    }));
}

void TForm1::BitBtn5Click() {
    const auto path = chooseFileToOpen(*dialogs_, OpenDialog2);
    if (!path) return;
    waitOn();
    DiskFile file(*path);
    showOutcome(form_.readFile(Grid::Results, file, controls()));
}

void TForm1::Button3Click() {
    PrintDialog1.printListing(*dialogs_, form_.listing(Grid::Input, controls().unit));
}

void TForm1::Button4Click() {
    PrintDialog1.printListing(*dialogs_, form_.listing(Grid::Results, controls().unit));
}

void TForm1::StringGrid1Paste() {
    showOutcome(form_.paste(StringGrid1->currentTableColumn(), StringGrid1->currentTableRow(),
                            QGuiApplication::clipboard()->text().toStdString()));
}

void TForm1::StringGrid1Undo() {
    showOutcome(form_.undoPaste());
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
        nomographView_->addAction(Guide1);
        connectButton(nomographView_->curvesButton(), &TForm1::ViewCurvesClick);
        connect(nomographView_, &NomographView::closed, this, [this] {
            activateWindow();
            StringGrid2->setFocus();
        });
    }
    nomographView_->showPage(NomographPage(row, lookUpResultRow(form_.table(Grid::Results), row)));
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

void TForm1::Guide1Click() {
    const std::filesystem::path guide =
        window::guide::place(localPath(desktop_->programFolder()), TALVENO_DOC_FROM_PROGRAM);
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(guide, ignored))
        return showOutcome(window::guide::missing(guide));
    if (!desktop_->openDocument(QUrl::fromLocalFile(shownPath(guide.string()))))
        showOutcome(window::guide::notOpened(guide));
}

void TForm1::Curves1Click() {
    const int row = StringGrid2->currentTableRow();
    if (row >= 1) showCurves(row);
}

// The nomograph view gives way to the curves of its row.
void TForm1::ViewCurvesClick() {
    const int row = nomographView_->page()->row();
    nomographView_->hide();
    showCurves(row);
}

// The curves the engine computes for the row's cells in the unit chosen, or why there are none.
void TForm1::showCurves(int row) {
    if (!curvesView_) {
        curvesView_ = new CurvesView(this);
        curvesView_->addAction(Guide1);
        const std::pair<const char*, void (TForm1::*)()> buttons[] = {
            {"CurvesApplyButton", &TForm1::CurvesApplyClick},
            {"CurvesCsvButton", &TForm1::CurvesCsvClick},
            {"CurvesCopyButton", &TForm1::CurvesCopyClick},
            {"CurvesPngButton", &TForm1::CurvesPngClick},
            {"CurvesPdfButton", &TForm1::CurvesPdfClick},
            {"CurvesPrintButton", &TForm1::CurvesPrintClick},
        };
        for (const auto& [name, command] : buttons)
            connectButton(curvesView_->button(name), command);
        connect(curvesView_, &CurvesView::applyRequested, this,
                [this] { run(&TForm1::CurvesApplyClick); });
        connect(curvesView_, &CurvesView::closed, this, [this] {
            activateWindow();
            StringGrid2->setFocus();
        });
    }
    curvesView_->showCurves(window::CurvesView(row, form_.table(Grid::Results), controls().unit));
}

void TForm1::CurvesApplyClick() {
    curvesView_->apply();
}

void TForm1::CurvesCsvClick() {
    curvesView_->saveCsv(*dialogs_);
}

void TForm1::CurvesCopyClick() {
    curvesView_->copy();
}

void TForm1::CurvesPngClick() {
    curvesView_->savePng(*dialogs_);
}

void TForm1::CurvesPdfClick() {
    curvesView_->savePdf(*dialogs_);
}

void TForm1::CurvesPrintClick() {
    curvesView_->print(*dialogs_, PrintDialog1);
}

void TForm1::openStartFile(const QString& path) {
    openStartFile(localPath(path));
}

void TForm1::openStartFile(const std::string& path) {
    DiskFile file(path);
    showOutcome(form_.openFile(file, controls()));
}
