// The clipboard round trip through a real X server (tests/ui/private_x.sh) and its keyboard:
// a block put there by another program as a spreadsheet copies it, pasted into the input
// table; the results copied and read back by another program.
#include <QClipboard>
#include <QProcess>
#include <cstdlib>
#include <functional>

#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

// What another program reads from the clipboard, the window answering it meanwhile.
QString clipboardOfAnotherProgram() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000));
    return QString::fromUtf8(xclip.readAllStandardOutput());
}

// Keys pressed on the X server's keyboard as a person presses them, the window taking them
// in meanwhile; `done` says when it has.
void pressOnKeyboard(const char* keys, const std::function<bool()>& done) {
    QProcess xdotool;
    xdotool.setProcessChannelMode(QProcess::ForwardedChannels);
    const QStringList arguments = {QStringLiteral("key"), QStringLiteral("--delay"),
                                   QStringLiteral("50")};
    xdotool.start(QStringLiteral("xdotool"),
                  arguments + QString::fromLatin1(keys).split(QLatin1Char(' ')));
    EXPECT_TRUE(QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(xdotool.exitCode(), 0) << keys;
    EXPECT_TRUE(QTest::qWaitFor(done, 5000)) << keys;
}

TEST_F(GridTest, a_spreadsheet_block_goes_through_the_x_clipboard_and_results_come_back) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    ASSERT_EQ(std::system("printf '80\\t50\\t1\\t0\\t12\\t4\\n163\\t45\\t0.02\\t15\\t12\\t4\\n' | "
                          "xclip -selection clipboard >/dev/null 2>&1"),
              0);
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return QGuiApplication::clipboard()->text().startsWith(QStringLiteral("80\t50")); }));
    focusCell("StringGrid1", 1, 1);
    pressOnKeyboard("ctrl+v", [this] { return cell("StringGrid1", 1, 2) == "163"; });
    EXPECT_EQ(row("StringGrid1", 1, 6), "80|50|1|0|12|4");
    EXPECT_EQ(row("StringGrid1", 2, 6), "163|45|0.02|15|12|4");

    click("BitBtn4");
    focusCell("StringGrid2", 1, 1);
    pressOnKeyboard("ctrl+a ctrl+c", [] { return QGuiApplication::clipboard()->ownsClipboard(); });
    EXPECT_EQ(clipboardOfAnotherProgram(),
              QString::fromUtf8("80\t50\t0.00\t1\t0\t87.5\t2.151E+01\t5.002E+03\n"
                                "163\t45\t1.00\t0.02\t15\t87.5\t4.895E+00\t2.019E+03\n"));
}

}  // namespace
}  // namespace talveno::ui::testing
