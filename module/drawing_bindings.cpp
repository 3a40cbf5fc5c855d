// The window's drawings for the page: each made on the page's picture (web/picture.js) through a
// canvas that hands the picture what to draw and asks it how far its texts reach.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "window/canvas.h"
#include "window/curves_page.h"
#include "window/nomograph_page.h"
#include "window/pictures.h"

namespace {

using emscripten::val;
using namespace talveno;

val css(window::Colour colour) {
    return val("rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
               std::to_string(colour.blue) + ")");
}

val pen(const window::Pen& pen) {
    val drawn = val::object();
    drawn.set("colour", css(pen.colour));
    drawn.set("width", pen.width);
    drawn.set("dash", pen.dashed);
    return drawn;
}

val outline(const window::Paint& paint) {
    return paint.outline ? pen(*paint.outline) : val::null();
}

val fill(const window::Paint& paint) {
    return paint.fill ? css(*paint.fill) : val::null();
}

// The picture as the canvas the drawings are made on.
class PictureCanvas : public window::Canvas {
  public:
    explicit PictureCanvas(val picture) : picture_(std::move(picture)) {}

    // The points as x, y, x, y, ... in one typed array.
    void polyline(std::span<const window::Point> points, const window::Pen& p) override {
        std::vector<double> numbers;
        for (const window::Point point : points) numbers.insert(numbers.end(), {point.x, point.y});
        const val copied =
            val(emscripten::typed_memory_view(numbers.size(), numbers.data())).call<val>("slice");
        picture_.call<void>("polyline", copied, pen(p));
    }
    void circle(window::Point centre, double radius, const window::Paint& paint) override {
        picture_.call<void>("circle", centre.x, centre.y, radius, outline(paint), fill(paint));
    }
    void rectangle(const window::Rect& box, const window::Paint& paint,
                   double cornerRadius) override {
        picture_.call<void>("rectangle", box.left, box.top, box.width, box.height, outline(paint),
                            fill(paint), cornerRadius);
    }
    void text(window::Point anchor, std::string_view text,
              const window::TextStyle& style) override {
        static constexpr const char* kAnchors[] = {"start", "middle", "end"};
        val drawn = val::object();
        drawn.set("size", style.font.pixels);
        drawn.set("bold", style.font.bold);
        drawn.set("italic", style.font.italic);
        drawn.set("colour", css(style.colour));
        drawn.set("anchor", kAnchors[static_cast<int>(style.anchor)]);
        drawn.set("rotate", style.rotation);
        drawn.set("role", std::string(style.role));
        picture_.call<void>("text", anchor.x, anchor.y, std::string(text), drawn);
    }
    void clip(const std::optional<window::Rect>& box) override {
        val drawn = val::null();
        if (box) {
            drawn = val::object();
            drawn.set("x", box->left);
            drawn.set("y", box->top);
            drawn.set("width", box->width);
            drawn.set("height", box->height);
        }
        picture_.call<void>("clip", drawn);
    }
    window::TextExtent measure(std::string_view text, const window::Font& font) const override {
        const val extent =
            picture_.call<val>("measure", std::string(text), font.pixels, font.bold, font.italic);
        return {extent["width"].as<double>(), extent["ascent"].as<double>(),
                extent["descent"].as<double>()};
    }

  private:
    val picture_;
};

val sizeOf(window::Size size) {
    val drawn = val::object();
    drawn.set("width", size.width);
    drawn.set("height", size.height);
    return drawn;
}

struct NamedPicture {
    const char* name;
    window::Size size;
    void (*draw)(window::Canvas&);
};

const NamedPicture& picture(const std::string& name) {
    namespace pictures = window::pictures;
    static const NamedPicture kPictures[] = {
        {"schematic", pictures::kSchematicSize, pictures::drawSchematic},
        {"logo", pictures::kLogoSize, pictures::drawLogo},
        {"icon", pictures::kIconSize, pictures::drawIcon},
        {"question", pictures::kBoxIconSize, pictures::drawQuestionIcon},
        {"error", pictures::kBoxIconSize, pictures::drawErrorIcon},
    };
    for (const NamedPicture& each : kPictures)
        if (name == each.name) return each;
    throw std::invalid_argument("picture: schematic, logo, icon, question or error");
}

// The size of a window's picture: "schematic", "logo", "icon", or a message box's icon,
// "question" or "error".
val pictureSize(const std::string& name) {
    return sizeOf(picture(name).size);
}

void drawPicture(const std::string& name, const val& on) {
    PictureCanvas canvas(on);
    picture(name).draw(canvas);
}

val nomographPageSize() {
    return sizeOf(window::NomographPage::kSize);
}

// A result row's look-up as the engine gave it to the page ({inputs, reading, reason}), its
// numbers as they were.
RowLookUp rowLookUp(const val& lookUp) {
    RowLookUp taken{std::nullopt, std::nullopt, lookUp["reason"].as<std::string>()};
    const val inputs = lookUp["inputs"];
    if (!inputs.isNull())
        taken.inputs = LookUpInputs{inputs["penetrationIndex"].as<double>(),
                                    inputs["loadingTime"].as<double>(),
                                    inputs["temperatureDifference"].as<double>()};
    const val reading = lookUp["reading"];
    if (!reading.isNull())
        taken.reading = nomograph::Reading{
            reading["x"].as<double>(), reading["upperCurve"].as<std::size_t>(),
            reading["fraction"].as<double>(), reading["stiffnessMpa"].as<double>()};
    return taken;
}

void drawNomographPage(int row, const val& lookUp, const val& on) {
    PictureCanvas canvas(on);
    window::NomographPage(row, rowLookUp(lookUp)).draw(canvas);
}

val curvesPageSize() {
    return sizeOf(window::CurvesPage::kSize);
}

void drawCurvesPage(const window::CurvesView& view, const val& on) {
    PictureCanvas canvas(on);
    window::CurvesPage(view).draw(canvas);
}

}  // namespace

EMSCRIPTEN_BINDINGS(talveno_drawings) {
    using emscripten::function;
    function("pictureSize", &pictureSize);
    function("drawPicture", &drawPicture);
    function("nomographPageSize", &nomographPageSize);
    function("drawNomographPage", &drawNomographPage);
    function("nomographTitle", &window::nomographTitle);
    function("curvesPageSize", &curvesPageSize);
    function("drawCurvesPage", &drawCurvesPage);
}
