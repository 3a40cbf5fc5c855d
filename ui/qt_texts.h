#pragma once

class QCoreApplication;

namespace talveno::ui {

// Qt's own texts (the file and print dialogs, the edit boxes' menu) in Japanese, as all other
// texts of the window: Qt's translations, and over them the program's own for the few texts
// they lack. False when Qt's translations are not installed: the rest stays English.
bool installJapaneseQtTexts(QCoreApplication& application);

}  // namespace talveno::ui
