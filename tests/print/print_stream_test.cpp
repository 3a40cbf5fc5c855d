#include "print/print_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "../file_test_support.h"
#include "print/listings.h"
#include "print/page_lines.h"
#include "tables/layouts.h"

namespace talveno {
namespace {

// A page of fixed metrics: an ASCII character is 10 units wide, any other character 20, a
// character 30 high. Records each text drawn as "(x,y) text" and each new page as "--".
class FakeSurface : public DrawingSurface {
  public:
    FakeSurface(int width, int height) : width_(width), height_(height) {}

    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    int textWidth(std::string_view text) const override {
        int width = 0;
        for (const char byte : text) {
            const auto code = static_cast<unsigned char>(byte);
            if (code < 0x80) width += 10;
            if (code >= 0xC0) width += 20;
        }
        return width;
    }
    int characterHeight() const override { return 30; }
    void drawText(int x, int y, std::string_view text) override {
        std::ostringstream line;
        line << "(" << x << "," << y << ") " << text;
        drawn.push_back(line.str());
    }
    void newPage() override { drawn.push_back("--"); }

    std::vector<std::string> drawn;

  private:
    int width_, height_;
};

// The texts and line ends, "|" for a line end.
void stream(PrintStream& out, const std::vector<std::string>& pieces) {
    for (const std::string& piece : pieces) piece == "|" ? out.endLine() : out.write(piece);
}

TEST(PrintStream, PlacesTextsLinesAndPages) {
    using Drawn = std::vector<std::string>;
    const struct {
        const char* name;
        int width, height;
        std::vector<std::string> pieces;
        Drawn drawn;
    } cases[] = {
        {"texts side by side, a line of height + 2",
         400,
         1000,
         {"ab", "cd", "|", "e"},
         Drawn{"(0,0) ab", "(20,0) cd", "(0,32) e"}},
        {"an empty line is one character high",
         400,
         1000,
         {"|", "|", "a", "|", "|", "b"},
         Drawn{"(0,60) a", "(0,122) b"}},
        {"a text wider than the page is cut and goes on",
         100,
         1000,
         {"abc", "defghijklm", "|", "nopqrstuvwxyz"},
         Drawn{"(0,0) abc", "(30,0) defghij", "(0,32) klm", "(0,64) nopqrstuvw", "(0,96) xyz"}},
        {"Japanese characters are cut whole",
         100,
         1000,
         {"a", "あいうえおかきくけこさし"},
         Drawn{"(0,0) a", "(10,0) あいうえ", "(0,32) おかきくけ", "(0,64) こさし"}},
        {"a character wider than the page stands alone",
         15,
         1000,
         {"あa"},
         Drawn{"(0,0) あ", "(0,32) a"}},
        {"a new page once y passes the height less twice the line",
         400,
         200,
         {"1", "|", "2", "|", "3", "|", "4", "|", "5", "|", "6", "|"},
         Drawn{"(0,0) 1", "(0,32) 2", "(0,64) 3", "(0,96) 4", "(0,128) 5", "--", "(0,0) 6"}},
        {"a text line at the foot breaks the page",
         400,
         200,
         {"|", "|", "|", "|", "|", "|", "a", "|", "b"},
         Drawn{"(0,180) a", "--", "(0,0) b"}},
        {"empty lines break the page only past its height",
         400,
         200,
         {"|", "|", "|", "|", "|", "|", "|", "c"},
         Drawn{"--", "(0,0) c"}},
        {"no blank page after the last line",
         400,
         200,
         {"1", "|", "2", "|", "3", "|", "4", "|", "5", "|"},
         Drawn{"(0,0) 1", "(0,32) 2", "(0,64) 3", "(0,96) 4", "(0,128) 5"}},
    };
    for (const auto& c : cases) {
        FakeSurface surface(c.width, c.height);
        PrintStream out(surface);
        stream(out, c.pieces);
        EXPECT_EQ(surface.drawn, c.drawn) << c.name;
    }
}

// A listing of several pages: title and headers on the first page only, the rows running on
// from the top of the later pages.
TEST(PrintStream, ListingRunsOverPages) {
    Table input = layouts::makeInputTable();
    testing::fillRows(input, std::vector<std::vector<std::string>>(
                                 40, {"80", "47.5", "0.02", "25", "12.3", "4"}));
    FakeSurface surface(2000, 600);  // a new page after a line that ends below 600 - 64
    PrintStream out(surface);
    writeInputListing(input, "in.dat", out);
    // The text after the indent that each page begins with.
    std::vector<std::string> pageStarts;
    for (std::size_t i = 0; i + 1 < surface.drawn.size(); ++i)
        if (i == 0 || surface.drawn[i - 1] == "--") pageStarts.push_back(surface.drawn[i + 1]);
    // 7 empty lines of 30 and the title, an empty line, the headers: 7 rows fit on page 1 (the
    // last at 528), 17 on page 2, the other 16 on page 3.
    EXPECT_EQ(pageStarts, (std::vector<std::string>{"(150,210) 入力データ名： ", "(150,0)   8 ",
                                                    "(150,0)  25 "}));
    EXPECT_EQ(surface.drawn.back(), "(690,480)        4.0");
}

// A listing drawn a part at a time draws what it draws at once, on as many pages as counted
// before its first row was read; long titles and values wider than their fields aside.
TEST(PrintStream, AListingInPartsDrawsTheWholeOnThePagesCounted) {
    const std::vector<std::string> row = {"80", "47.5", "0.02", "25", "12.3", "4"};
    for (const int rows : {0, 7, 8, 24, 40, 100, 109}) {
        Table input = layouts::makeInputTable();
        testing::fillRows(input, std::vector<std::vector<std::string>>(rows, row));
        FakeSurface whole(2000, 600);
        PrintStream wholeStream(whole);
        writeInputListing(input, "in.dat", wholeStream);
        const int pages =
            1 + static_cast<int>(std::count(whole.drawn.begin(), whole.drawn.end(), "--"));
        for (const int part : {1, 5, 1000}) {
            FakeSurface parts(2000, 600);
            PrintStream partsStream(parts);
            ListingInParts listing = ListingInParts::ofInput(input, "in.dat");
            EXPECT_EQ(listing.pageCount(parts), pages) << rows;
            int calls = 1;
            while (listing.writeNext(partsStream, part)) ++calls;
            EXPECT_EQ(parts.drawn, whole.drawn) << rows << " rows in parts of " << part;
            EXPECT_EQ(calls, std::max(1, (rows + part - 1) / part)) << rows << " / " << part;
        }
    }
}

// The lines of a listing for a printing side that lays them out itself: each line one text as
// the listing's text has it, the first line of each later page marked, a text as wide as its
// characters, each character measured once.
TEST(PageLines, HoldTheListingsLinesOnItsPages) {
    Table input = layouts::makeInputTable();
    testing::fillRows(input, std::vector<std::vector<std::string>>(
                                 40, {"80", "47.5", "0.02", "25", "12.3", "4"}));
    std::map<std::string, int> measured;
    PageLines lines({2000, 600, 30, [&](std::string_view character) {
                         ++measured[std::string(character)];
                         return character.size() == 1 ? 10.25 : 20.0;
                     }});
    PrintStream out(lines);
    writeInputListing(input, "in.dat", out);
    std::string text;
    std::vector<int> pageStarts;
    for (const PageLines::Line& line : lines.take()) {
        text += line.text + "\n";
        if (line.startsPage) pageStarts.push_back(line.y);
        EXPECT_EQ(line.x, 0);
    }
    std::string expected;
    std::istringstream listing(
        listingText([&](ListingSink& sink) { writeInputListing(input, "in.dat", sink); }));
    for (std::string line; std::getline(listing, line);)
        if (!line.empty()) expected += line + "\n";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(pageStarts, (std::vector<int>{0, 0}));  // three pages, as ListingRunsOverPages
    EXPECT_EQ(lines.textWidth("ab℃"), 41);            // 10.25 + 10.25 + 20, rounded
    for (const auto& [character, times] : measured) EXPECT_EQ(times, 1) << character;
}

}  // namespace
}  // namespace talveno
