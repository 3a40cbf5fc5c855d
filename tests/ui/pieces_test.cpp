// The window's parts that need no window: filters, pictures.
#include <gtest/gtest.h>

#include <QImage>

#include "ui/pictures.h"
#include "ui/qt_dialogs.h"

namespace talveno::ui {
namespace {

TEST(NameFilters, FilterListsBecomeQtFilters) {
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"*.dat|*.dat|すべてのファイル|*.*", {"*.dat (*.dat)", "すべてのファイル (*.*)"}},
        {"出力ファイル(*.mpa)|*.mpa", {"出力ファイル(*.mpa) (*.mpa)"}},
        {"text|*.txt;*.dat", {"text (*.txt *.dat)"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(qtNameFilters(c.filter), c.expected) << c.filter;
}

TEST(Pictures, SizesAndColours) {
    const QImage nomograph = pictures::nomograph().toImage();
    EXPECT_EQ(nomograph.size(), QSize(775, 312));
    EXPECT_EQ(nomograph.pixelColor(774, 311), QColor(191, 191, 191));
    bool yellow = false;
    for (int y = 0; y < nomograph.height() && !yellow; ++y)
        for (int x = 0; x < nomograph.width() && !yellow; ++x)
            yellow = nomograph.pixelColor(x, y) == QColor(255, 255, 0);
    EXPECT_TRUE(yellow) << "the ring of the reading";
    EXPECT_EQ(pictures::logo().size(), QSize(134, 68));
    EXPECT_EQ(pictures::icon().size(), QSize(32, 32));
}

}  // namespace
}  // namespace talveno::ui
