#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/look.h"
#include "ui/print_commands.h"
#include "window/form.h"

class QButtonGroup;
class QAction;
class QLineEdit;
class QMenu;
class QTabWidget;

namespace talveno::ui {
class CurvesView;
class NomographView;
class StringGrid;
}  // namespace talveno::ui

// The main window: the start page with the nomograph picture and the settings, the input page
// with the input table and its commands, the result page with the result table. Its controls
// are built from the window's layout; each button runs one command of the window's rules, and
// the window shows what the command leaves to show.
class TForm1 : public QWidget {
    Q_OBJECT
    // The window's state and rules; first, for the dialogs below refer to it.
    talveno::window::Form form_;

  public:
    // The dialogs default to Qt's message boxes and file dialogs, the desktop to Qt's.
    explicit TForm1(std::unique_ptr<talveno::ui::Dialogs> dialogs = nullptr,
                    QWidget* parent = nullptr,
                    std::unique_ptr<talveno::ui::Desktop> desktop = nullptr);
    ~TForm1() override;

    // The commands, run by their buttons (and the page change by the tabs).
    void BitBtn1Click();  // start
    void BitBtn4Click();  // calculation run
    void Button7Click();  // copy first row
    void Button9Click();  // copy chosen row
    void Button8Click();  // partial clear
    void Button2Click();  // clear all
    void Button6Click();  // help messages 1 to 5
    void Button5Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button1Click();  // exit
    void PageControl1Change();
    // The data files and the printed listings.
    void BitBtn3Click();
    void BitBtn2Click();
    void Button3Click();
    void BitBtn6Click();
    void BitBtn5Click();
    void Button4Click();
    // The clipboard: a block of cells pasted into the input table and taken back, and the
    // result table's context menu.
    void StringGrid1Paste();
    void StringGrid1Undo();
    void Copy1Click();
    void SelectAll1Click();
    // The current result row's look-up on the nomograph, in the view window.
    void StringGrid2DblClick();
    void Nomograph1Click();
    // The view window's commands.
    void ViewSavePngClick();
    void ViewSavePdfClick();
    void ViewPrintClick();
    // The user guide in the desktop's viewer (F1, in the window and in the view).
    void Guide1Click();
    // The current result row's stiffness curves, in their window: from the result table's menu,
    // by Shift+Enter on the row, or from the nomograph view of the row.
    void Curves1Click();
    void ViewCurvesClick();
    // The curves window's commands.
    void CurvesApplyClick();
    void CurvesCsvClick();
    void CurvesCopyClick();
    void CurvesPngClick();
    void CurvesPdfClick();
    void CurvesPrintClick();

    // A data file given on the command line (`talveno FILE`, as the file manager opens one),
    // opened as the window's rules open one; a file that cannot be read, or is neither kind,
    // shows its message over the start page. The path as Qt holds it, or as the system names
    // the file (bytes, which may be no UTF-8).
    void openStartFile(const QString& path);
    void openStartFile(const std::string& path);

    // The file dialogs the window keeps between uses.
    talveno::window::FileDialog& OpenDialog1;
    talveno::window::FileDialog& SaveDialog1;
    talveno::window::FileDialog& OpenDialog2;
    talveno::window::FileDialog& SaveDialog2;
    talveno::ui::PrintDialog PrintDialog1;

  protected:
    // Runs a command of the window's own: a fault in it shows in the error box as the rules
    // show a command's failure.
    void run(void (TForm1::*command)());

  private:
    void createWindow();
    void createControls();
    void setFocusOrder();
    void connectCommands();
    void connectClipboard();
    void connectButton(QWidget* button, void (TForm1::*command)());
    // Shows a result row's curves in the curves window, made the first time.
    void showCurves(int row);

    // What the user set in the controls, as the commands read it.
    talveno::window::Controls controls() const;
    // The wait cursor, for a command that may run long, until its outcome is shown.
    void waitOn();
    // Shows a command's outcome: pages, texts, unit, tables and the row in view, then, the wait
    // cursor gone, its box.
    void showOutcome(const talveno::window::Outcome& outcome);
    void showPages(const talveno::window::Pages& pages);
    void showTables();
    talveno::ui::StringGrid* grid(talveno::window::Grid grid) const;

    std::unique_ptr<talveno::ui::Dialogs> dialogs_;
    std::unique_ptr<talveno::ui::Desktop> desktop_;
    std::optional<talveno::ui::WaitCursor> waiting_;
    bool commandSelectsPage_ = false;
    talveno::ui::NomographView* nomographView_ = nullptr;
    talveno::ui::CurvesView* curvesView_ = nullptr;

    QTabWidget* PageControl1 = nullptr;
    talveno::ui::StringGrid* StringGrid1 = nullptr;
    talveno::ui::StringGrid* StringGrid2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QButtonGroup* unitItems_ = nullptr;
    QButtonGroup* correctionItems_ = nullptr;
    QMenu* PopupMenu1 = nullptr;  // the result table's context menu
    QAction* Copy1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* Nomograph1 = nullptr;
    QAction* Guide1 = nullptr;  // F1
    QAction* Curves1 = nullptr;
};
