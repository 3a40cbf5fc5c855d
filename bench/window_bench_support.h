#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "ui/dialogs.h"
#include "ui/main_window.h"

// The window driven through its controls, offscreen, for the benchmarks.
namespace talveno::bench {

// No command of a benchmark may open a dialog: one that does ends the run.
class NoDialogs : public ui::Dialogs {
  public:
    void information(const QString& text) override { fail("information", text); }
    bool confirm(const QString& question) override { return fail("confirm", question), false; }
    void error(const QString& message) override { fail("error", message); }
    std::optional<QString> openFileName(const QString& filter, const QString&) override {
        return fail("open", filter), std::nullopt;
    }
    std::optional<QString> saveFileName(const QString& filter, const QString&,
                                        const QString&) override {
        return fail("save", filter), std::nullopt;
    }
    bool print(QPrinter&) override { return fail("print", {}), false; }
    void endProcess() override { fail("end", {}); }

  private:
    [[noreturn]] static void fail(const char* kind, const QString& text) {
        std::fprintf(stderr, "unexpected %s dialog: %s\n", kind, text.toStdString().c_str());
        std::abort();
    }
};

class Window {
  public:
    Window() : form_(std::make_unique<NoDialogs>()) { form_.show(); }

    template <typename W>
    W* find(const char* name) {
        W* widget = form_.findChild<W*>(QString::fromLatin1(name));
        if (!widget) std::abort();
        return widget;
    }
    // A click, and the window redrawn after it.
    void click(const char* button) {
        find<QPushButton>(button)->click();
        QApplication::processEvents();
    }
    void setText(const char* box, const QString& text) { find<QLineEdit>(box)->setText(text); }
    TForm1& form() { return form_; }
    // Makes a data cell of a grid its current cell (column and row counted from 1).
    void setCurrentCell(const char* grid, int column, int row) {
        auto* view = find<QTableView>(grid);
        view->setCurrentIndex(view->model()->index(row - 1, column - 1));
    }

    void start(int count) {
        setText("Edit4", QString::number(count));
        click("BitBtn1");
    }
    // Rows 1 to n of the input table typed with one worked case.
    void typeRows(int n) {
        QAbstractItemModel* model = find<QTableView>("StringGrid1")->model();
        static const char* const cells[] = {"80", "50", "1", "0", "12", "4"};
        for (int row = 0; row < n; ++row)
            for (int column = 0; column < 6; ++column)
                model->setData(model->index(row, column), QString::fromLatin1(cells[column]));
    }

  private:
    TForm1 form_;
};

// The offscreen platform unless a display is chosen.
inline void useOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace talveno::bench
