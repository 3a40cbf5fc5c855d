#pragma once

#include <QString>

class QUrl;

namespace talveno::ui {

// What the window asks of the desktop beyond its dialogs: the folder the program runs from, and
// a document shown in the viewer the desktop has for its type. Behind one interface so that
// the tests see what would open.
class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual QString programFolder() const = 0;
    // False when no viewer takes the document.
    virtual bool openDocument(const QUrl& url) = 0;
};

// The desktop as Qt reaches it.
class QtDesktop : public Desktop {
  public:
    QString programFolder() const override;
    bool openDocument(const QUrl& url) override;
};

}  // namespace talveno::ui
