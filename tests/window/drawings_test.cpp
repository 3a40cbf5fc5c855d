// The window's drawings as a canvas receives them: the nomograph view's page for a reading, for
// extrapolations and for a row without a look-up; the start page's schematic, the logo and the
// icon; the placing and breaking of texts they share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/nomograph.h"
#include "recording_canvas.h"
#include "window/nomograph_page.h"
#include "window/pictures.h"

namespace talveno::window::testing {
namespace {

using Kind = RecordingCanvas::Kind;

constexpr Colour kLookUp{210, 0, 0};
constexpr Colour kPair{0, 90, 210};
constexpr Colour kYellow{255, 255, 0};

bool within(Point point, Rect box) {
    return point.x >= box.left && point.x <= box.right() && point.y >= box.top &&
           point.y <= box.bottom();
}

// The drawing begins with its background over its whole size (where it has one), and every
// shape lies within it: a clipped one within its clip, a text by its anchor.
void expectWithin(const RecordingCanvas& canvas, Size size, bool background = true) {
    const Rect all{0, 0, size.width, size.height};
    ASSERT_FALSE(canvas.shapes.empty());
    if (background) {
        const auto& first = canvas.shapes.front();
        EXPECT_EQ(first.kind, Kind::Rectangle);
        EXPECT_EQ(first.points[0].x, 0);
        EXPECT_EQ(first.points[1].x, size.width);
        EXPECT_EQ(first.points[1].y, size.height);
    }
    for (const auto& shape : canvas.shapes) {
        if (shape.clip) {
            EXPECT_TRUE(within({shape.clip->left, shape.clip->top}, all) &&
                        within({shape.clip->right(), shape.clip->bottom()}, all));
            continue;
        }
        for (const Point point : shape.points)
            EXPECT_TRUE(within(point, all)) << point.x << ", " << point.y << " " << shape.text;
    }
}

RowLookUp lookUp(double index, double time, double difference) {
    return {LookUpInputs{index, time, difference}, nomograph::read(index, time, difference), ""};
}

TEST(NomographPage, draws_the_look_up_its_numbers_and_notes_within_the_page) {
    const struct {
        const char* what;
        RowLookUp lookUp;
        std::vector<const char*> numbers;
        std::vector<const char*> notes;
    } cases[] = {
        {"a reading", lookUp(0, 0.02, 40), {"2317.6559", "38, 39", "0.77308", "4.0614E+01"}, {}},
        {"beyond the stiffest curve",
         lookUp(0, 0.02, 100),
         {"2790.6976", "43, 44", "1000 – 2000", "3.7322E+03"},
         {"最も硬い曲線（2000 MPa）の外"}},
        {"an index off the axis", lookUp(4.21, 1, 40), {"4.21"}, {"範囲（-3 〜 +3）の外"}},
        {"an index far off the axis", lookUp(-12.5, 1, 40), {"-12.50"}, {"範囲（-3 〜 +3）の外"}},
        {"no look-up", {{}, {}, "この行には計算結果がありません"}, {"—"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const NomographPage page(7, c.lookUp);
        RecordingCanvas canvas;
        page.draw(canvas);
        expectWithin(canvas, NomographPage::kSize);

        std::vector<std::string> texts;
        for (const auto& shape : canvas.shapes)
            if (shape.kind == Kind::Text) texts.push_back(shape.text);
        for (const char* number : c.numbers)
            EXPECT_NE(std::find(texts.begin(), texts.end(), number), texts.end()) << number;
        const std::string notes = canvas.joined("extrapolation");
        std::size_t marks = 0;
        for (std::size_t at = notes.find("※ 外挿："); at != std::string::npos;
             at = notes.find("※ 外挿：", at + 1))
            ++marks;
        EXPECT_EQ(marks, c.notes.size()) << notes;
        for (const char* note : c.notes) EXPECT_NE(notes.find(note), std::string::npos) << notes;

        if (!page.figure()) {
            std::string all;
            for (const std::string& text : texts) all += text;
            EXPECT_NE(all.find("読み取れません：この行には計算結果がありません."),
                      std::string::npos);
            continue;
        }
        // The look-up's points in its colour where the figure puts them, the pair's curves in
        // theirs.
        const auto& figure = *page.figure();
        for (const nomograph::Point at :
             {figure.loadingTime, figure.temperatureDifference, figure.reading}) {
            const Point drawn = page.onPage(at);
            EXPECT_TRUE(std::any_of(canvas.shapes.begin(), canvas.shapes.end(), [&](auto& s) {
                return s.kind == Kind::Circle && s.colour == kLookUp &&
                       std::hypot(s.points[0].x - drawn.x, s.points[0].y - drawn.y) < 1e-9;
            })) << at.x;
        }
        EXPECT_EQ(std::count_if(canvas.shapes.begin(), canvas.shapes.end(),
                                [](auto& s) { return s.clip && s.colour == kPair; }),
                  2);
        // The curve labels, measured as drawn, clear of the ring at X and its letter.
        const Rect ring = page.ringBox(canvas);
        int labels = 0;
        for (const auto& shape : canvas.shapes) {
            if (shape.role != "curve-label") continue;
            ++labels;
            const TextExtent extent = canvas.measure(shape.text, Font{10});
            const Point at = shape.points[0];
            EXPECT_FALSE(
                ring.intersects({at.x, at.y - extent.ascent, extent.width, extent.height()}))
                << shape.text;
        }
        EXPECT_GT(labels, 10);
    }
}

TEST(Pictures, each_picture_lies_within_its_size_the_readings_with_their_ring) {
    const struct {
        const char* name;
        Size size;
        void (*draw)(Canvas&);
        bool reading;  // with a background and a reading ring; the box icons have neither
    } pictures[] = {
        {"schematic", pictures::kSchematicSize, pictures::drawSchematic, true},
        {"logo", pictures::kLogoSize, pictures::drawLogo, true},
        {"icon", pictures::kIconSize, pictures::drawIcon, true},
        {"question", pictures::kBoxIconSize, pictures::drawQuestionIcon, false},
        {"error", pictures::kBoxIconSize, pictures::drawErrorIcon, false},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        RecordingCanvas canvas;
        picture.draw(canvas);
        expectWithin(canvas, picture.size, picture.reading);
        EXPECT_EQ(std::any_of(canvas.shapes.begin(), canvas.shapes.end(),
                              [](auto& s) { return s.colour == kYellow; }),
                  picture.reading);
    }
}

// The schematic's stiffness line runs from the ring on the loading-time scale through the ring
// on the temperature-difference scale to the yellow ring it reads.
TEST(Pictures, the_schematics_line_passes_through_the_point_on_the_difference_scale) {
    RecordingCanvas canvas;
    pictures::drawSchematic(canvas);
    std::vector<Point> rings;
    for (const auto& shape : canvas.shapes)
        if (shape.kind == Kind::Circle) rings.push_back(shape.points[0]);
    ASSERT_EQ(rings.size(), 4u);  // on the axis, the two scales, and the reading
    const auto [time, difference, reading] = std::tuple(rings[1], rings[2], rings[3]);
    EXPECT_NEAR((reading.x - time.x) * (difference.y - time.y),
                (difference.x - time.x) * (reading.y - time.y), 1e-6);
    EXPECT_GT(difference.y, reading.y);
    EXPECT_LT(difference.y, time.y);
}

TEST(Texts, are_broken_between_characters_to_fit_their_room) {
    const RecordingCanvas measure;
    const struct {
        const char* text;
        double room;
        std::vector<std::string> lines;
    } cases[] = {
        {"abcdef", 36, {"abcdef"}},
        {"abcdef", 35, {"abcde", "f"}},
        {"範囲の外にあり", 30, {"範囲の", "外にあ", "り"}},
        {"a範囲", 5, {"a", "範", "囲"}},  // a character wider than the room on its own line
        {"", 10, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wrapped(measure, c.text, Font{10}, c.room), c.lines) << c.text << " " << c.room;
}

// Across its base line a text is moved by the face's reach, turned with the text.
TEST(Texts, are_placed_across_their_base_line_turned_with_them) {
    const struct {
        Across across;
        double rotation;
        Point anchor;
    } cases[] = {
        {Across::Baseline, 0, {100, 50}},
        {Across::Top, 0, {100, 58.8}},
        {Across::Middle, 0, {100, 53.8}},
        {Across::Middle, -90, {103.8, 50}},
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas;
        placeText(canvas, {100, 50}, "X", {{10}, {}, Anchor::Middle, c.rotation}, c.across);
        const Point at = canvas.shapes.at(0).points.at(0);
        EXPECT_NEAR(at.x, c.anchor.x, 1e-9) << c.rotation;
        EXPECT_NEAR(at.y, c.anchor.y, 1e-9) << c.rotation;
    }
}

}  // namespace
}  // namespace talveno::window::testing
