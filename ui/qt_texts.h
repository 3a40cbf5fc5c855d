#pragma once

class QCoreApplication;

namespace talveno::ui {

// Qt's own texts (the file and print dialogs, the edit boxes' menu) in Japanese, as all other
// texts of the window. False when Qt's translations are not installed: they stay English.
bool installJapaneseQtTexts(QCoreApplication& application);

}  // namespace talveno::ui
