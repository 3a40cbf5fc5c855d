// The page rules against every way the user can turn pages: the keys of the page container
// and of its tab row, and the mouse wheel over the tab row; and the tabs under the mouse.
#include <QApplication>
#include <QWheelEvent>

#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

class PageRulesTest : public WindowTest {
  protected:
    // A control of the page in front, where the keys are typed.
    QWidget* typingPlace() {
        static const std::map<QString, const char*> controls = {
            {"TabSheet1", "Edit4"}, {"TabSheet2", "Edit1"}, {"TabSheet3", "BitBtn6"}};
        QWidget* control = find<QWidget>(controls.at(currentPage()));
        control->setFocus();
        return control;
    }
    // Ctrl+Tab and Ctrl+Shift+Tab (Backtab) typed in a control, the arrow keys on the focused
    // tab row, the mouse wheel over it.
    void turn(const std::string& way, int direction) {
        QTabBar* bar = pages()->tabBar();
        if (way == "ctrl+tab") {
            QTest::keyClick(
                typingPlace(), direction > 0 ? Qt::Key_Tab : Qt::Key_Backtab,
                direction > 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        } else if (way == "arrows") {
            bar->setFocus();
            QTest::keyClick(bar, direction > 0 ? Qt::Key_Right : Qt::Key_Left);
        } else {
            const QPointF at = bar->tabRect(bar->currentIndex()).center();
            QWheelEvent wheel(at, bar->mapToGlobal(at), {}, {0, -120 * direction}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(bar, &wheel);
        }
    }
    // The page in front has its tab shown, and the tabs are in one of the three states.
    void expectAStateOfThePageRules(const std::string& what) {
        const QStringList tabs = shownTabs();
        EXPECT_TRUE(pages()->isTabVisible(pages()->currentIndex())) << what;
        EXPECT_TRUE(tabs == QStringList({"スタート"}) ||
                    tabs == QStringList({"スタート", "データ入力と計算"}) ||
                    (tabs.size() == 3 && currentPage() == "TabSheet3"))
            << what << ": " << tabs.join(',').toStdString() << " with "
            << currentPage().toStdString() << " in front";
    }
};

TEST_F(PageRulesTest, no_key_or_wheel_brings_a_hidden_page_to_the_front) {
    const std::string ways[] = {"ctrl+tab", "arrows", "wheel"};
    const std::string states[] = {"fresh", "started", "run", "back from the results"};
    for (const std::string& state : states) {
        for (const std::string& way : ways) {
            for (int direction : {1, -1}) {
                const std::string what = state + ", " + way + (direction > 0 ? " on" : " back");
                SetUp();
                if (state != "fresh") start();
                if (state == "run" || state == "back from the results") click("BitBtn4");
                if (state == "back from the results") clickTab("データ入力と計算");
                for (int step = 0; step < 4; ++step) {
                    turn(way, direction);
                    expectAStateOfThePageRules(what + " " + std::to_string(step + 1));
                }
                TearDown();
            }
        }
    }
}

TEST_F(PageRulesTest, keys_and_wheel_still_turn_to_shown_pages) {
    start();
    for (const std::string way : {"ctrl+tab", "arrows", "wheel"}) {
        turn(way, -1);
        EXPECT_EQ(currentPage(), "TabSheet1") << way;
        turn(way, 1);
        EXPECT_EQ(currentPage(), "TabSheet2") << way;
    }
}

TEST_F(PageRulesTest, a_tab_highlights_under_the_mouse) {
    start();
    QApplication::setActiveWindow(form_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    QTabBar* bar = pages()->tabBar();
    const QRect startTab = bar->tabRect(0);
    const auto look = [bar, startTab] { return bar->grab(startTab).toImage(); };
    QTest::mouseMove(bar, bar->rect().bottomRight() - QPoint(2, 2));
    const QImage away = look();
    QTest::mouseMove(bar, startTab.center());
    EXPECT_TRUE(look() != away) << "under the mouse";
    QTest::mouseMove(bar, bar->rect().bottomRight() - QPoint(2, 2));
    EXPECT_TRUE(look() == away) << "the mouse gone";
}

}  // namespace
}  // namespace talveno::ui::testing
