// Qt's own boxes and dialogs as the program opens them: their place and their texts.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <functional>

#include "ui/qt_dialogs.h"
#include "ui/qt_texts.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

class QtDialogsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        realDialogsAllowed = true;
    }
    void TearDown() override {
        realDialogsAllowed = false;
        WindowTest::TearDown();
    }
    // Looks at the next dialog once it is open, then closes it by Escape.
    void answerByEscape(std::function<void(QWidget*)> look) {
        QTimer::singleShot(0, [look] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            look(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
    }

    QtDialogs qtDialogs_{nullptr};
};

TEST_F(QtDialogsTest, confirmation_and_information_boxes_open_centred_on_the_screen) {
    qtDialogs_ = QtDialogs(form_.get());
    form_->move(0, 0);  // away from the middle of the screen
    const QPoint middle = form_->screen()->availableGeometry().center();
    const std::function<void()> boxes[] = {
        [this] { EXPECT_FALSE(qtDialogs_.confirm(QStringLiteral("終了しますか？"))); },
        [this] { qtDialogs_.information(QStringLiteral("a\nlonger second line")); },
    };
    for (const auto& open : boxes) {
        QRect place;
        answerByEscape([&place](QWidget* box) { place = box->frameGeometry(); });
        open();
        EXPECT_LE((place.center() - middle).manhattanLength(), 1)
            << place.center().x() << "," << place.center().y();
    }
}

TEST_F(QtDialogsTest, qts_own_texts_are_japanese) {
    ASSERT_TRUE(installJapaneseQtTexts(*qApp));
    qtDialogs_ = QtDialogs(form_.get());
    QStringList dialogTexts;
    answerByEscape([&dialogTexts](QWidget* dialog) {
        for (auto* label : dialog->findChildren<QLabel*>()) dialogTexts << label->text();
        for (auto* button : dialog->findChild<QDialogButtonBox*>()->buttons())
            dialogTexts << button->text();
    });
    EXPECT_EQ(qtDialogs_.openFileName(QStringLiteral("*.dat|*.dat"), {}), std::nullopt);
    for (const char* text :
         {"アドレス:", "ファイル名(&N):", "ファイルの種類:", "開く", "キャンセル"})
        EXPECT_TRUE(dialogTexts.contains(QString::fromUtf8(text)))
            << text << " in " << dialogTexts.join('|').toStdString();

    std::unique_ptr<QMenu> menu(find<QLineEdit>("Edit4")->createStandardContextMenu());
    QStringList menuTexts;
    for (QAction* action : menu->actions()) menuTexts << action->text().section('\t', 0, 0);
    EXPECT_TRUE(menuTexts.contains(QStringLiteral("元に戻す(&U)")));
    EXPECT_TRUE(menuTexts.contains(QStringLiteral("すべてを選択")));
}

// The file dialogs keep their history in Qt's settings: each test process in a temporary folder
// of its own, never in the user's ~/.config/QtProject.conf.
TEST(TestSettings, qts_settings_of_a_test_process_are_its_own) {
    const QString file = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
    EXPECT_TRUE(file.startsWith(QDir::tempPath() + '/')) << file.toStdString();
    EXPECT_FALSE(file.startsWith(QDir::homePath() + QStringLiteral("/.config/")))
        << file.toStdString();
}

}  // namespace
}  // namespace talveno::ui::testing
