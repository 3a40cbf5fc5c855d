#include "print/print_stream.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../files/file_test_support.h"
#include "print/listings.h"
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

// A listing of several pages: the lines of the text listing, each field drawn where the one
// before it ended; title and headers on the first page only, the rows running on.
TEST(PrintStream, ListingRunsOverPages) {
    Table input = layouts::makeInputTable();
    testing::fillRows(input, std::vector<std::vector<std::string>>(
                                 40, {"80", "47.5", "0.02", "25", "12.3", "4"}));
    const Listing listing = [&](ListingSink& sink) { writeInputListing(input, "in.dat", sink); };
    FakeSurface surface(2000, 600);  // a new page after a line that ends below 600 - 64
    PrintStream out(surface);
    listing(out);

    // The lines drawn, as "page y text".
    std::vector<std::string> drawn;
    int page = 1;
    for (const std::string& text : surface.drawn) {
        if (text == "--") {
            ++page;
            continue;
        }
        const std::size_t comma = text.find(','), close = text.find(')');
        const std::string x = text.substr(1, comma - 1),
                          y = text.substr(comma + 1, close - comma - 1);
        if (x == "0") drawn.push_back(std::to_string(page) + " " + y + " ");
        drawn.back() += text.substr(close + 2);
    }
    // Title at 7 empty lines of 30, headers after an empty line; 7 rows fit on page 1, 17 on
    // page 2, the other 16 on page 3.
    std::vector<std::string> expected;
    std::istringstream lines(listingText(listing));
    std::size_t i = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        const std::string place = i == 0   ? "1 210"
                                  : i < 10 ? "1 " + std::to_string(272 + 32 * (i - 1))
                                  : i < 27 ? "2 " + std::to_string(32 * (i - 10))
                                           : "3 " + std::to_string(32 * (i - 27));
        expected.push_back(place + " " + line);
        ++i;
    }
    EXPECT_EQ(i, 43u);
    EXPECT_EQ(drawn, expected);
}

}  // namespace
}  // namespace talveno
