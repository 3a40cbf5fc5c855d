// F1 opens the user guide found beside the program, installed or built, in the desktop's
// viewer; where it is missing or no viewer takes it, the error box names the file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

// A desktop whose program runs from a given folder, and which records what it opens.
class RecordingDesktop : public Desktop {
  public:
    RecordingDesktop(QString folder, bool viewerTakes, QList<QUrl>& opened)
        : folder_(std::move(folder)), viewerTakes_(viewerTakes), opened_(opened) {}
    QString programFolder() const override { return folder_; }
    bool openDocument(const QUrl& url) override {
        opened_ << url;
        return viewerTakes_;
    }

  private:
    QString folder_;
    bool viewerTakes_;
    QList<QUrl>& opened_;
};

void makeFile(const QString& path) {
    QDir().mkpath(path.section('/', 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(Guide, f1_opens_the_guide_beside_the_program_or_names_the_file_it_looked_for) {
    const QString installed = QStringLiteral("usr/share/doc/talveno/talveno-guide-ja.html");
    const QString built = QStringLiteral("build/guide/talveno-guide-ja.html");
    const struct {
        const char* name;
        const char* programFolder;
        QStringList files;
        bool viewerTakes;
        QString guide;  // opened, or named in the error box
        const char* error;
    } cases[] = {
        {"installed", "usr/bin", {installed}, true, installed, nullptr},
        {"built",
         "build/app",
         {QStringLiteral("build/CMakeCache.txt"), built},
         true,
         built,
         nullptr},
        {"not installed", "usr/bin", {}, true, installed, "' が見つかりません."},
        {"not built",
         "build/app",
         {QStringLiteral("build/CMakeCache.txt")},
         true,
         built,
         "' が見つかりません."},
        {"no viewer", "usr/bin", {installed}, false, installed, "' を開くプログラムがありません."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        for (const QString& file : c.files) makeFile(root.filePath(file));
        QList<QUrl> opened;
        auto dialogs = std::make_unique<ScriptedDialogs>();
        ScriptedDialogs& scripted = *dialogs;
        TForm1 form(std::move(dialogs), nullptr,
                    std::make_unique<RecordingDesktop>(root.filePath(c.programFolder),
                                                       c.viewerTakes, opened));
        const QString guide = root.filePath(c.guide);
        if (c.error) scripted.expectError("利用の手引き '" + guide + QString::fromUtf8(c.error));
        form.Guide1Click();
        EXPECT_EQ(scripted.pending().toStdString(), "");
        const bool looked = !c.files.isEmpty() && c.files.back() == c.guide;
        EXPECT_EQ(opened, looked ? QList{QUrl::fromLocalFile(guide)} : QList<QUrl>{});
    }
}

// The window's key for the guide.
TEST(Guide, f1_is_the_windows_key_for_the_guide) {
    QTemporaryDir root;
    makeFile(root.filePath("usr/share/doc/talveno/talveno-guide-ja.html"));
    QList<QUrl> opened;
    TForm1 form(std::make_unique<ScriptedDialogs>(), nullptr,
                std::make_unique<RecordingDesktop>(root.filePath("usr/bin"), true, opened));
    form.show();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(opened.size(), 1);
}

}  // namespace
}  // namespace talveno::ui::testing
