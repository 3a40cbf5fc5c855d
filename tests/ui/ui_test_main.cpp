// Runs the window tests headless. A real modal dialog, message box or menu that opens during a
// test fails it and is closed at once, so that no test waits for an answer that never comes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>

#include "scripted_dialogs.h"

namespace {

class ModalGuard : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
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
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    ModalGuard guard;
    application.installEventFilter(&guard);
    return RUN_ALL_TESTS();
}
