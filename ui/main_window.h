#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "core/stiffness_unit.h"
#include "tables/paste.h"
#include "tables/table.h"
#include "ui/dialogs.h"
#include "ui/print_commands.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace talveno::ui {
class NomographView;
class StringGrid;
}  // namespace talveno::ui

// The main window: the start page with the nomograph picture and the settings, the input page
// with the input table and its commands, the result page with the result table. Each button
// runs one command; a failing command shows its message in the error box.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    // The dialogs default to Qt's message boxes and file dialogs.
    explicit TForm1(std::unique_ptr<talveno::ui::Dialogs> dialogs = nullptr,
                    QWidget* parent = nullptr);
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

    // A data file given on the command line (`talveno FILE`, as the file manager opens one),
    // known by its header line: the start command with the maximum data count raised to the
    // file's row count, then an input data file read as BitBtn2Click reads it, or a result file
    // on the result page laid out as a run in the unit of its unit line lays it out, read as
    // BitBtn5Click reads it. A file that cannot be read, or is neither kind, shows its message
    // over the start page. The path as Qt holds it, or as the system names the file (bytes,
    // which may be no UTF-8).
    void openStartFile(const QString& path);
    void openStartFile(const std::string& path);

    // The file dialogs the window keeps between uses.
    talveno::ui::FileDialog OpenDialog1;
    talveno::ui::FileDialog SaveDialog1;
    talveno::ui::FileDialog OpenDialog2;
    talveno::ui::FileDialog SaveDialog2;
    talveno::ui::PrintDialog PrintDialog1;

  protected:
    // Runs a command: a failure ends it and shows its message in the error box; any other
    // exception is a fault of the program, which the box reports as an internal error.
    void run(void (TForm1::*command)());

  private:
    void createWindow();
    void createStartPage();
    void createInputPage();
    void createResultPage();
    void setFocusOrder();
    void connectCommands();
    void readStartFile();
    void showResultPage(int n, talveno::StiffnessUnit unit);

    void connectButton(QPushButton* button, void (TForm1::*command)());
    void connectClipboard();
    // Page selections and tab changes of the commands, which are no page change of the user.
    void selectPage(QWidget* page);
    void setTabShown(QWidget* page, bool shown);
    void showTables();
    void showHelp(std::string_view text);
    talveno::StiffnessUnit chosenUnit() const;

    std::unique_ptr<talveno::ui::Dialogs> dialogs_;
    talveno::Table input_;
    talveno::Table result_;
    bool commandSelectsPage_ = false;
    std::optional<talveno::Paste> lastPaste_;  // the paste Ctrl+Z takes back
    talveno::ui::NomographView* nomographView_ = nullptr;
    std::string startFile_;  // the file given on the command line, as the system names it

    QTabWidget* PageControl1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Image5 = nullptr;

    QWidget* TabSheet1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLabel* Label16 = nullptr;
    QPushButton* Button12 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QButtonGroup* unitItems_ = nullptr;
    QButtonGroup* correctionItems_ = nullptr;
    QPushButton* Button11 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    QWidget* TabSheet2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    talveno::ui::StringGrid* StringGrid1 = nullptr;
    QWidget* Panel5 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* Button3 = nullptr;
    QWidget* Panel3 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button9 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button8 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label15 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* Button2 = nullptr;
    QWidget* Panel4 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* Button6 = nullptr;

    QWidget* TabSheet3 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    talveno::ui::StringGrid* StringGrid2 = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* Button4 = nullptr;
    QWidget* Panel6 = nullptr;
    QPushButton* Button5 = nullptr;
    QMenu* PopupMenu1 = nullptr;  // the result table's context menu
    QAction* Copy1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* Nomograph1 = nullptr;
};
