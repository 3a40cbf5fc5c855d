#pragma once

#include <QFontMetrics>
#include <QPaintDevice>
#include <string>
#include <vector>

#include "../pdf_pages.h"
#include "print/print_stream.h"
#include "qt_paint/painter_surface.h"

namespace talveno::ui::testing {

// The pages a listing takes on a device: the print stream run over the device's page and the
// listing font's metrics, without drawing. Each page holds its lines, folded.
class PageRecorder : public DrawingSurface {
  public:
    explicit PageRecorder(QPaintDevice& device)
        : metrics_(listingFont(), &device), width_(device.width()), height_(device.height()) {}

    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    int textWidth(std::string_view text) const override {
        return metrics_.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    int characterHeight() const override { return metrics_.height(); }
    // A line begins at the left edge; the texts after it on the same line join it.
    void drawText(int x, int, std::string_view text) override {
        if (x == 0) lines_.back().emplace_back();
        lines_.back().back() += text;
    }
    void newPage() override { lines_.emplace_back(); }

    std::vector<std::vector<std::string>> pages() const {
        std::vector<std::vector<std::string>> pages;
        for (const auto& lines : lines_) {
            pages.emplace_back();
            for (const std::string& line : lines)
                pages.back().push_back(talveno::testing::folded(line));
        }
        return pages;
    }

  private:
    QFontMetrics metrics_;
    int width_, height_;
    std::vector<std::vector<std::string>> lines_{1};
};

inline std::vector<std::vector<std::string>> listingPages(const Listing& listing,
                                                          QPaintDevice& device) {
    PageRecorder recorder(device);
    PrintStream stream(recorder);
    listing(stream);
    return recorder.pages();
}

}  // namespace talveno::ui::testing
