// Runs the window tests headless. A real modal dialog, message box or menu that opens during a
// test fails it and is closed at once, so that no test waits for an answer that never comes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "scripted_dialogs.h"

namespace {

// The printing tests answer the real print dialog themselves (ScriptedDialogs).
#ifdef TALVENO_PRINTING_TESTS
constexpr bool kPrintDialogAnswered = true;
#else
constexpr bool kPrintDialogAnswered = false;
#endif

class ModalGuard : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (kPrintDialogAnswered && qobject_cast<QPrintDialog*>(watched)) return false;
        if (event->type() == QEvent::Show && widget && widget->isWindow() &&
            !talveno::ui::testing::realDialogsAllowed &&
            (widget->isModal() || qobject_cast<QDialog*>(widget) || qobject_cast<QMenu*>(widget))) {
            ADD_FAILURE() << "a " << widget->metaObject()->className() << " opened";
            QTimer::singleShot(0, widget, [widget] { widget->close(); });
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Listing the tests at build time runs this too, where no display need exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TALVENO_PRINTING_TESTS
    // The printing tests print on the private server that tests/ui/private_cups.sh starts.
    if (qEnvironmentVariableIsEmpty("TALVENO_PRINTED")) {
        std::fputs("Run the printing tests through tests/ui/private_cups.sh\n", stderr);
        return 1;
    }
#else
    // The window tests reach no print server, whatever printers this machine has.
    qputenv("CUPS_SERVER", "/nonexistent/talveno-no-print-server");
#endif
    // The file dialogs' history and Qt's other settings go into a folder of this process's own,
    // removed at its end, never into the user's ~/.config.
    const QTemporaryDir config;
    if (!config.isValid()) {
        std::fputs("No temporary folder for the settings\n", stderr);
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    ModalGuard guard;
    application.installEventFilter(&guard);
    return RUN_ALL_TESTS();
}
