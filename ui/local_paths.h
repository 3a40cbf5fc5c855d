#pragma once

#include <QString>
#include <string>

// Paths as the system names files: bytes, not always UTF-8 (a CP932 name on an old USB stick).
namespace talveno::ui {

// The path of the file that a path held by Qt names. Qt decodes the bytes of a name that is no
// UTF-8 into U+FFFD characters and cannot encode them back; such a name is found again in its
// folder as the one name there that Qt decodes alike. Where none or several do, the name stays
// as Qt encodes it.
std::string localPath(const QString& path);

// The path for the window to show: decoded by Qt, in the name boxes and the dialogs.
QString shownPath(const std::string& path);

}  // namespace talveno::ui
