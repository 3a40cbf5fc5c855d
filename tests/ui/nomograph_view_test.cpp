// The nomograph view of a result row: opened from the result table, drawn from the engine's
// reading of the row, saved as PNG and PDF.
#include <QAction>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>

#include "../file_test_support.h"
#include "../pdf_pages.h"
#include "core/nomograph_geometry.h"
#include "core/nomograph_tables.h"
#include "qt_paint/painter_canvas.h"
#include "ui/look.h"
#include "ui/nomograph_view.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

class NomographViewTest : public GridTest {
  protected:
    // Double-clicks a result row and answers the page the view then shows.
    const NomographPage* openRow(int row) {
        QTableView* results = grid("StringGrid2");
        const QPoint inside = results->visualRect(at("StringGrid2", 1, row)).center();
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, inside);
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, inside);
        NomographView* view = form_->findChild<NomographView*>();
        if (!view || !view->isVisible()) return nullptr;
        return view->page();
    }
};

// The worked look-ups, each typed as a row whose cells give its PI, t and ΔT.
const struct {
    std::array<const char*, 6> row;
    double x;
    std::size_t lower, upper;
    double g;
} kWorked[] = {
    {{"80", "50", "1", "0", "12", "4"}, 2291.3183, 38, 39, 0.079298},
    {{"80", "50", "0.02", "10", "12", "4"}, 2317.6559, 38, 39, 0.77308},
    {{"163", "45", "0.02", "15", "12", "4"}, 2247.1686, 35, 36, 0.97679},
    {{"122", "42.5", "0.1", "-17.5", "12", "4"}, 2423.0881, 42, 43, 0.28811},
    {{"80", "50", "0.02", "55", "12", "4"}, 2081.8836, 30, 31, 0.27117},
    {{"80", "50", "100", "28", "12", "4"}, 2002.8757, 24, 25, 0.79243},
    {{"80", "50", "0.02", "-50", "12", "4"}, 2790.6976, 43, 44, 1.9000},
};

TEST_F(NomographViewTest, each_worked_look_up_is_drawn_from_the_engines_reading) {
    for (int r = 0; r < 7; ++r) typeRow(r + 1, kWorked[r].row);
    click("BitBtn4");
    for (int r = 0; r < 7; ++r) {
        const auto& w = kWorked[r];
        SCOPED_TRACE(w.row[2] + std::string(" s, T ") + w.row[3]);
        const NomographPage* page = openRow(r + 1);
        ASSERT_TRUE(page && page->figure());
        const nomograph::LookUpFigure& figure = *page->figure();
        const nomograph::Reading& reading = *page->lookUp().reading;
        EXPECT_EQ(page->row(), r + 1);
        EXPECT_NEAR(figure.reading.x, w.x, 5e-5);
        EXPECT_EQ(figure.reading.x, reading.x);
        EXPECT_EQ(figure.lowerCurve, w.lower);
        EXPECT_EQ(figure.upperCurve, w.upper);
        EXPECT_EQ(figure.upperCurve, reading.upperCurve);
        // X lies on the line through the two scale points, and the pair's x at its height give g.
        const auto [time, difference, point] =
            std::tuple(figure.loadingTime, figure.temperatureDifference, figure.reading);
        EXPECT_EQ(time.y, nomograph::kLoadingTimeY);
        EXPECT_EQ(difference.y, nomograph::kTemperatureDifferenceY);
        EXPECT_NEAR((point.x - difference.x) * (difference.y - time.y),
                    (difference.x - time.x) * (point.y - difference.y), 1e-6);
        const double g = (point.x - figure.lowerCurveX) / (figure.upperCurveX - figure.lowerCurveX);
        EXPECT_NEAR(g, w.g, w.g * 5e-5);
        EXPECT_NEAR(g, reading.fraction, 1e-12);

        // The picture has the look-up's points where the figure puts them, the pair in its
        // colour.
        const QImage image = QImage::fromData(pngImage(*page));
        const auto pixel = [&](nomograph::Point at) {
            const window::Point drawn = page->onPage(at);
            return image.pixelColor(qRound(drawn.x * 2), qRound(drawn.y * 2));
        };
        for (const nomograph::Point at : {time, difference, point})
            EXPECT_EQ(pixel(at), QColor(210, 0, 0)) << at.x << ", " << at.y;
        const double nearTop = nomograph::penetrationIndexHeight(2.5);
        for (const std::size_t curve : {figure.lowerCurve, figure.upperCurve})
            EXPECT_EQ(pixel({nomograph::curveX(curve, nearTop), nearTop}), QColor(0, 90, 210))
                << curve;
    }
}

TEST_F(NomographViewTest, rows_without_a_look_up_show_the_reason) {
    typeRow(1, kWorkedRow);
    typeRow(2, {"80", "50", "0", "10", "12", "4"});
    dialogs().expectError(QStringLiteral("0 による浮動小数点数除算.\n(No. 2)"));
    click("BitBtn4");
    // The row that failed is left empty, as is the row after it.
    for (const int row : {2, 3}) {
        const NomographPage* page = openRow(row);
        ASSERT_TRUE(page);
        EXPECT_FALSE(page->figure()) << row;
        EXPECT_EQ(page->lookUp().reason, "この行には計算結果がありません");
    }
    // The context menu's item opens the current row.
    grid("StringGrid2")->setCurrentIndex(at("StringGrid2", 1, 1));
    find<QAction>("Nomograph1")->trigger();
    const NomographPage* page = form_->findChild<NomographView*>()->page();
    EXPECT_EQ(page->row(), 1);
    EXPECT_TRUE(page->figure());
}

// An extrapolated Sbit is no reading, and the view says so in words beside the numbers.
TEST_F(NomographViewTest, an_extrapolated_sbit_says_so_beside_the_numbers) {
    const struct {
        std::array<const char*, 6> row;
        const char* pi;
        std::vector<const char*> notes;
    } cases[] = {
        {kWorked[0].row, "0.00", {}},
        {kWorked[6].row, "0.00", {"最も硬い曲線（2000 MPa）の外"}},  // g 1.9 on the last pair
        {{"80", "63.25", "0.02", "10", "12", "4"}, "3.00", {}},      // on the axis' last line
        {{"80", "70", "1", "30", "12", "4"}, "4.21", {"範囲（-3 〜 +3）の外"}},
        {{"20", "40", "1", "0", "12", "4"}, "-5.27", {"範囲（-3 〜 +3）の外"}},
    };
    for (std::size_t r = 0; r < std::size(cases); ++r) typeRow(int(r) + 1, cases[r].row);
    click("BitBtn4");
    for (std::size_t r = 0; r < std::size(cases); ++r) {
        const auto& c = cases[r];
        SCOPED_TRACE(std::string("PI ") + c.pi);
        const NomographPage* page = openRow(int(r) + 1);
        ASSERT_TRUE(page && page->figure());
        EXPECT_EQ(cell("StringGrid2", 3, int(r) + 1), c.pi);
        const std::vector<std::string>& notes = page->extrapolations();
        ASSERT_EQ(notes.size(), c.notes.size()) << ::testing::PrintToString(notes);
        for (std::size_t i = 0; i < c.notes.size(); ++i)
            EXPECT_NE(notes[i].find(c.notes[i]), std::string::npos) << notes[i];
    }
}

// The curve labels stay readable: none lies under the ring at X or its letter, also where X
// lies on the highest or lowest index line drawn, beside the labels.
TEST_F(NomographViewTest, no_curve_label_lies_under_the_ring_at_x) {
    std::vector<std::array<const char*, 6>> rows;
    for (const auto& w : kWorked) rows.push_back(w.row);
    for (const char* temperature : {"-40", "-20", "0", "10", "20", "40"}) {
        rows.push_back({"80", "63.25", "0.02", temperature, "12", "4"});  // PI 3.00
        rows.push_back({"80", "40.22", "0.02", temperature, "12", "4"});  // PI -3.00
    }
    for (std::size_t r = 0; r < rows.size(); ++r) typeRow(int(r) + 1, rows[r]);
    click("BitBtn4");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(r + 1);
        const NomographPage* page = openRow(int(r) + 1);
        ASSERT_TRUE(page && page->figure());
        const FontMeasure measure(windowFont());  // the face the window draws the page in
        const window::Rect ring = page->ringBox(measure);
        const auto labels = page->curveLabels(measure);
        EXPECT_GT(labels.size(), 10u);
        for (const auto& label : labels) EXPECT_FALSE(label.box.intersects(ring)) << label.text;
    }
}

// The view by keys alone: Enter on a result row, or the result table's menu opened by a key
// with its first item active and the item chosen by the arrows and Enter. Tab goes round the
// view's buttons, Escape closes it and gives the keys back to the result table.
TEST_F(NomographViewTest, the_view_opens_by_keys_and_escape_gives_the_keys_back) {
    typeRow(1, kWorked[0].row);
    typeRow(2, kWorked[1].row);
    click("BitBtn4");
    using Keys = std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>;
    const struct {
        const char* way;
        Keys keys;
    } ways[] = {
        {"Enter", {{Qt::Key_Return, {}}}},
        {"Shift+F10, Down, Down, Enter",
         {{Qt::Key_F10, Qt::ShiftModifier},
          {Qt::Key_Down, {}},
          {Qt::Key_Down, {}},
          {Qt::Key_Enter, {}}}},
        {"menu key, Up, Up, Enter",
         {{Qt::Key_Menu, {}}, {Qt::Key_Up, {}}, {Qt::Key_Up, {}}, {Qt::Key_Return, {}}}},
    };
    // A key to the open menu, else to the widget with the keys, as the application sends it.
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), key, modifiers);
    };
    // The window the application takes the keys in (a window owned by another counts as
    // active with its owner for QWindow).
    const auto active = [](QWidget* window) {
        return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    };
    const auto focused = [] {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    };
    // The menu opens for real.
    struct MenusAllowed {
        MenusAllowed() { realDialogsAllowed = true; }
        ~MenusAllowed() { realDialogsAllowed = false; }
    } menusAllowed;
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        focusCell("StringGrid2", 2, 2);
        for (const auto& [key, modifiers] : w.keys) press(key, modifiers);
        NomographView* view = form_->findChild<NomographView*>();
        ASSERT_TRUE(view && view->isVisible() && view->page());
        EXPECT_EQ(view->page()->row(), 2);
        ASSERT_TRUE(active(view));
        QStringList walk{focused()};
        for (const auto modifiers :
             {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier}) {
            press(Qt::Key_Tab, modifiers);
            walk << focused();
        }
        EXPECT_EQ(walk.join(' '),
                  "CloseButton SavePngButton SavePdfButton PrintButton CurvesButton PrintButton");
        press(Qt::Key_Escape);
        EXPECT_FALSE(view->isVisible());
        ASSERT_TRUE(active(form_.get()));
        EXPECT_EQ(focused(), "StringGrid2");
    }
    // The menu key as X11 sends it, a context menu request ahead of the key itself; the menu's
    // other items by keys too.
    focusCell("StringGrid2", 1, 1);
    QContextMenuEvent request(QContextMenuEvent::Keyboard, {}, {});
    QApplication::sendEvent(grid("StringGrid2"), &request);
    press(Qt::Key_Menu);
    ASSERT_TRUE(QApplication::activePopupWidget());
    EXPECT_EQ(static_cast<QMenu*>(QApplication::activePopupWidget())->activeAction(),
              find<QAction>("Copy1"));
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) press(key);
    EXPECT_EQ(grid("StringGrid2")->selectionModel()->selectedIndexes().size(), 2 * 8);
}

TEST_F(NomographViewTest, the_view_saves_png_and_a4_pdf_and_prints_through_the_print_dialog) {
    typeRow(1, kWorked[1].row);
    click("BitBtn4");
    const NomographPage* page = openRow(1);
    ASSERT_TRUE(page);
    NomographView* view = form_->findChild<NomographView*>();
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("nomograph.png"));
    const QString pdf = folder.filePath(QStringLiteral("nomograph.pdf"));
    dialogs().expectSaveFile(QStringLiteral("PNG 画像|*.png"), QStringLiteral("png"), {}, png);
    QTest::mouseClick(view->savePngButton(), Qt::LeftButton);
    dialogs().expectSaveFile(QStringLiteral("PDF|*.pdf"), QStringLiteral("pdf"), {}, pdf);
    QTest::mouseClick(view->savePdfButton(), Qt::LeftButton);
    dialogs().expectSaveFile(QStringLiteral("PDF|*.pdf"), QStringLiteral("pdf"), pdf, {});
    QTest::mouseClick(view->savePdfButton(), Qt::LeftButton);  // cancelled

    EXPECT_EQ(QImage(png).size(), QSize(2400, 1240));
    const std::string info = talveno::testing::commandOutput("pdfinfo '" + pdf.toStdString() + "'");
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("ノモグラフ No. "), std::string::npos) << "the document's title\n" << info;
    const auto pages = talveno::testing::pdfPages(pdf.toStdString());  // one page
    ASSERT_EQ(pages.size(), 1u);
    const auto& lines = pages[0];
    EXPECT_NE(std::find(lines.begin(), lines.end(), "交点 X 2317.6559"), lines.end());

    dialogs().expectError(QStringLiteral("デフォルト プリンタが存在しません."));
    QTest::mouseClick(view->printButton(), Qt::LeftButton);
}

}  // namespace
}  // namespace talveno::ui::testing
