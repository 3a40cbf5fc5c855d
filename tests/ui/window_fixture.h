#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <array>
#include <memory>

#include "scripted_dialogs.h"
#include "ui/main_window.h"

// Failing comparisons show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace talveno::ui::testing {

// One window with scripted dialogs, reached through its controls by object name.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        dialogs_ = dialogs.get();
        form_ = std::make_unique<TForm1>(std::move(dialogs));
        form_->show();
    }

    void TearDown() override { EXPECT_EQ(dialogs_->pending().toStdString(), "") << "not opened"; }

    template <typename W>
    W* find(const char* name) {
        W* widget = form_->findChild<W*>(QString::fromLatin1(name));
        if (!widget) ADD_FAILURE() << "no control " << name;
        return widget;
    }

    void click(const char* button) {
        QPushButton* target = find<QPushButton>(button);
        ASSERT_TRUE(target->isVisible()) << button << " is not on the page shown";
        QTest::mouseClick(target, Qt::LeftButton);
    }

    void setText(const char* box, const QString& text) { find<QLineEdit>(box)->setText(text); }
    QString text(const char* control) {
        if (auto* label = form_->findChild<QLabel*>(QString::fromLatin1(control)))
            return label->text();
        if (auto* memo = form_->findChild<QPlainTextEdit*>(QString::fromLatin1(control)))
            return memo->toPlainText();
        return find<QLineEdit>(control)->text();
    }

    QTabWidget* pages() { return find<QTabWidget>("PageControl1"); }
    QStringList shownTabs() {
        QStringList tabs;
        for (int i = 0; i < pages()->count(); ++i)
            if (pages()->isTabVisible(i)) tabs << pages()->tabText(i);
        return tabs;
    }
    QString currentPage() { return pages()->currentWidget()->objectName(); }
    // A page chosen by the user with a click on its tab.
    void clickTab(const QString& caption) {
        QTabBar* bar = pages()->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == caption)
                return QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        ADD_FAILURE() << "no tab " << caption.toStdString();
    }

    void choose(const char* group, int item) {
        find<QGroupBox>(group)->findChildren<QRadioButton*>().at(item)->click();
    }

    QTableView* grid(const char* name) { return find<QTableView>(name); }
    // A cell as the grid shows it: row 0 is the fixed header row and column 0 the fixed
    // column; the data cells are the rest.
    QString cell(const char* gridName, int column, int row) {
        QAbstractItemModel* model = grid(gridName)->model();
        if (row == 0) return model->headerData(column - 1, Qt::Horizontal).toString();
        if (column == 0) return model->headerData(row - 1, Qt::Vertical).toString();
        return model->index(row - 1, column - 1).data().toString();
    }
    // The data cells of columns 1 to last of a row, joined by "|".
    QString row(const char* gridName, int row, int last) {
        QStringList cells;
        for (int column = 1; column <= last; ++column) cells << cell(gridName, column, row);
        return cells.join('|');
    }
    int dataRows(const char* gridName) { return grid(gridName)->model()->rowCount(); }

    // A row of the input table as the user types it.
    void typeRow(int row, const std::array<const char*, 6>& cells) {
        QAbstractItemModel* model = grid("StringGrid1")->model();
        for (int column = 1; column <= 6; ++column)
            EXPECT_TRUE(model->setData(model->index(row - 1, column - 1),
                                       QString::fromUtf8(cells[column - 1])));
    }

    // The start command with a maximum data count.
    void start(const QString& count = QStringLiteral("50")) {
        setText("Edit4", count);
        if (currentPage() != "TabSheet1") clickTab(QStringLiteral("スタート"));
        click("BitBtn1");
    }

    ScriptedDialogs& dialogs() { return *dialogs_; }

    std::unique_ptr<TForm1> form_;

  private:
    ScriptedDialogs* dialogs_ = nullptr;
};

// A started window, active, whose grids are reached cell by cell.
class GridTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        form_->activateWindow();  // on an X server without a window manager too
        QApplication::setActiveWindow(form_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    QModelIndex at(const char* gridName, int column, int row) {
        return grid(gridName)->model()->index(row - 1, column - 1);
    }
    // Puts the grid's current cell at a data cell and gives it the focus.
    QWidget* focusCell(const char* gridName, int column, int row) {
        grid(gridName)->setFocus();
        grid(gridName)->setCurrentIndex(at(gridName, column, row));
        return QApplication::focusWidget();
    }
};

inline const std::array<const char*, 6> kWorkedRow = {"80", "50", "1", "0", "12", "4"};
inline const QString kWorkedResult = QStringLiteral("80|50|0.00|1|0|87.5|2.151E+01|5.002E+03");

}  // namespace talveno::ui::testing
