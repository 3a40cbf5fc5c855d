// Qt's own boxes and dialogs as the program opens them: their place and their texts.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <functional>

#include "ui/look.h"
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

TEST_F(QtDialogsTest, file_dialogs_show_the_filter_descriptions_as_given) {
    qtDialogs_ = QtDialogs(form_.get());
    const struct {
        const char* filter;
        QStringList shown;
    } cases[] = {
        {"*.dat|*.dat|すべてのファイル|*.*", {"*.dat", "すべてのファイル"}},
        {"出力ファイル(*.mpa)|*.mpa", {"出力ファイル(*.mpa)"}},
    };
    for (const auto& c : cases) {
        for (const bool save : {false, true}) {
            SCOPED_TRACE(std::string(c.filter) + (save ? " save" : " open"));
            QStringList shown;
            answerByEscape([&shown](QWidget* dialog) {
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                for (int i = 0; types && i < types->count(); ++i) shown << types->itemText(i);
            });
            const QString filter = QString::fromUtf8(c.filter);
            save ? qtDialogs_.saveFileName(filter, QStringLiteral("dat"), {})
                 : qtDialogs_.openFileName(filter, {});
            EXPECT_EQ(shown, c.shown);
        }
    }
}

// Menus and the questions of Qt's dialogs are windows of their own, in the window's face too.
TEST_F(QtDialogsTest, the_result_menu_and_the_replace_question_use_the_window_font) {
    const QString face = QFontInfo(windowFont()).family();
    EXPECT_EQ(QFontInfo(find<QMenu>("PopupMenu1")->font()).family(), face);

    qtDialogs_ = QtDialogs(form_.get());
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("cases.dat"));
    std::ofstream(existing.toStdString()) << "x";
    QString questionFace, question;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(qobject_cast<QFileDialog*>(dialog));
        QTimer::singleShot(0, [&, dialog] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, dialog) << "no replace question";
            questionFace = QFontInfo(box->font()).family();
            for (auto* label : box->findChildren<QLabel*>()) question += label->text();
            QTest::keyClick(box, Qt::Key_Escape);
            QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog*>(dialog)->reject(); });
        });
        static_cast<QDialog*>(dialog)->accept();  // the existing file chosen
    });
    EXPECT_EQ(
        qtDialogs_.saveFileName(QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), existing),
        std::nullopt);
    EXPECT_EQ(questionFace, face) << question.toStdString();
}

// Qt's Japanese catalogue knows these texts of Qt 6's print dialog only under older words.
TEST_F(QtDialogsTest, the_print_dialog_texts_qt_lacks_come_from_the_programs_catalogue) {
    installJapaneseQtTexts(*qApp);
    const struct {
        const char* context;
        const char* source;
        const char* japanese;
    } texts[] = {
        {"QPrintSettingsOutput", "Double Sided Printing", "両面印刷"},
        {"QPrintSettingsOutput", "Off", "なし"},
        {"QPrintSettingsOutput", "Long side binding", "長辺綴じ"},
        {"QPrintSettingsOutput", "Short side binding", "短辺綴じ"},
        {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
        {"QPrintSettingsOutput", "Collate", "丁合い"},  // Qt's own
    };
    for (const auto& t : texts)
        EXPECT_EQ(QCoreApplication::translate(t.context, t.source), QString::fromUtf8(t.japanese))
            << t.source;

    qtDialogs_ = QtDialogs(form_.get());
    QPrinter printer(QPrinter::HighResolution);
    QStringList shown;
    answerByEscape([&shown](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<QPrintDialog*>(dialog));
        shown << dialog->findChild<QGroupBox*>(QStringLiteral("duplex"))->title();
        for (const char* name : {"noDuplex", "duplexLong", "duplexShort"})
            shown << dialog->findChild<QAbstractButton*>(QString::fromLatin1(name))->text();
    });
    EXPECT_FALSE(qtDialogs_.print(printer));
    EXPECT_EQ(shown.join('|'), "両面印刷|なし|長辺綴じ|短辺綴じ");
}

}  // namespace
}  // namespace talveno::ui::testing
