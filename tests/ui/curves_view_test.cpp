// The curves view of a result row in the window: opened from the result table's menu, by
// Shift+Enter and from the nomograph view; its ranges changed; its points saved and copied.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "../file_test_support.h"
#include "../pdf_pages.h"
#include "ui/curves_view.h"
#include "ui/nomograph_view.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

class CurvesViewTest : public GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        typeRow(1, kWorkedRow);
        typeRow(2, {"80", "50", "0.02", "10", "12", "4"});
        click("BitBtn4");
    }
    CurvesView* view() { return form_->findChild<CurvesView*>(); }
    // The row the view shows, 0 when it is closed.
    int shownRow() {
        CurvesView* shown = view();
        return shown && shown->isVisible() && shown->curves() ? shown->curves()->row() : 0;
    }
    QLineEdit* box(const char* name) { return view()->findChild<QLineEdit*>(name); }
};

TEST_F(CurvesViewTest, opens_from_the_menu_by_shift_enter_and_from_the_nomograph_view) {
    const struct {
        const char* way;
        std::function<void()> open;
    } ways[] = {
        {"menu", [&] { find<QAction>("Curves1")->trigger(); }},
        {"Shift+Enter",
         [&] { QTest::keyClick(grid("StringGrid2"), Qt::Key_Return, Qt::ShiftModifier); }},
        {"nomograph view",
         [&] {
             QTest::keyClick(grid("StringGrid2"), Qt::Key_Return);
             NomographView* nomograph = form_->findChild<NomographView*>();
             ASSERT_TRUE(nomograph && nomograph->isVisible());
             QTest::mouseClick(nomograph->curvesButton(), Qt::LeftButton);
             EXPECT_FALSE(nomograph->isVisible());
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        focusCell("StringGrid2", 2, 2);
        w.open();
        ASSERT_EQ(shownRow(), 2);
        EXPECT_EQ(view()->windowTitle(), "スティフネス曲線 - No. 2");
        EXPECT_EQ(box("FurtherLoadingTimesBox")->text(), "0.02, 0.1, 1");
        QTest::keyClick(view(), Qt::Key_Escape);
        EXPECT_EQ(shownRow(), 0);
    }
}

// A range typed in a box and applied by the button or Enter draws the curves anew; a box that
// holds no number shows the engine's message and keeps the curves.
TEST_F(CurvesViewTest, ranges_typed_in_the_boxes_draw_the_curves_anew) {
    focusCell("StringGrid2", 1, 1);
    find<QAction>("Curves1")->trigger();
    ASSERT_EQ(shownRow(), 1);
    const auto points = [&] { return view()->curves()->overTemperature()[0].points.size(); };
    EXPECT_EQ(points(), 67u);
    box("TemperatureStepBox")->setText(QStringLiteral("10"));
    QTest::mouseClick(view()->button("CurvesApplyButton"), Qt::LeftButton);
    EXPECT_EQ(points(), 34u);
    box("TemperatureFromBox")->setText(QStringLiteral("0"));
    QTest::keyClick(box("TemperatureFromBox"), Qt::Key_Return);
    EXPECT_EQ(points(), 19u);
    box("TemperatureToBox")->setText(QStringLiteral("x"));
    dialogs().expectError(QStringLiteral("'x' は浮動小数点数ではありません."));
    QTest::mouseClick(view()->button("CurvesApplyButton"), Qt::LeftButton);
    EXPECT_EQ(points(), 19u);
    EXPECT_EQ(view()->curves()->texts()[window::kTemperatureTo], "180");
}

TEST_F(CurvesViewTest, saves_csv_png_and_pdf_and_copies_the_points) {
    focusCell("StringGrid2", 1, 2);
    find<QAction>("Curves1")->trigger();
    ASSERT_EQ(shownRow(), 2);
    QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("row2.csv"));
    const QString png = folder.filePath(QStringLiteral("row2.png"));
    const QString pdf = folder.filePath(QStringLiteral("row2.pdf"));
    dialogs().expectSaveFile(QStringLiteral("CSV|*.csv"), QStringLiteral("csv"), {}, csv);
    QTest::mouseClick(view()->button("CurvesCsvButton"), Qt::LeftButton);
    dialogs().expectSaveFile(QStringLiteral("PNG 画像|*.png"), QStringLiteral("png"), {}, png);
    QTest::mouseClick(view()->button("CurvesPngButton"), Qt::LeftButton);
    dialogs().expectSaveFile(QStringLiteral("PDF|*.pdf"), QStringLiteral("pdf"), {}, pdf);
    QTest::mouseClick(view()->button("CurvesPdfButton"), Qt::LeftButton);
    QTest::mouseClick(view()->button("CurvesCopyButton"), Qt::LeftButton);

    const std::string bytes = talveno::testing::fileContent(csv.toStdString());
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBFNo.,"));
    EXPECT_EQ(bytes, view()->curves()->csv());
    EXPECT_EQ(QImage(png).size(), QSize(2400, 1440));
    const std::string info = talveno::testing::commandOutput("pdfinfo '" + pdf.toStdString() + "'");
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("No.\t温　度(℃)\t載荷時間(秒)\t")));
    EXPECT_EQ(copied.toStdString(), view()->curves()->tabSeparated());

    dialogs().expectError(QStringLiteral("デフォルト プリンタが存在しません."));
    QTest::mouseClick(view()->button("CurvesPrintButton"), Qt::LeftButton);
}

}  // namespace
}  // namespace talveno::ui::testing
