#pragma once

#include <QPageLayout>
#include <QRectF>
#include <functional>
#include <memory>

#include "print/listing_sink.h"
#include "ui/dialogs.h"

class QPainter;
class QPrinter;

namespace talveno::ui {

// The window's print dialog: keeps the printer last confirmed in it, with the settings made
// there, for the next listing; none before the first. A cancelled dialog changes nothing.
class PrintDialog {
  public:
    PrintDialog();
    ~PrintDialog();
    PrintDialog(const PrintDialog&) = delete;
    PrintDialog& operator=(const PrintDialog&) = delete;

    // Prints a listing on the printer chosen in the dialog, at the printer's high resolution.
    // Fails before the dialog opens when the system has no default printer; prints nothing
    // when the dialog is cancelled. A listing that stops at a bad cell ends its job, so that
    // the lines drawn before it are printed.
    void printListing(Dialogs& dialogs, const Listing& listing);

    // Prints one page drawn by the picture into the printer's page area, through the same
    // dialog on the same printer, in landscape unless the dialog says otherwise.
    using Picture = std::function<void(QPainter& painter, const QRectF& area)>;
    void printPicture(Dialogs& dialogs, const Picture& picture);

    QPrinter* printer() const { return printer_.get(); }

  private:
    // The printer confirmed in the dialog, which opens on the window's printer with its
    // settings and the orientation given; nothing when the dialog is cancelled.
    std::unique_ptr<QPrinter> choosePrinter(Dialogs& dialogs, QPageLayout::Orientation orientation);

    std::unique_ptr<QPrinter> printer_;
};

}  // namespace talveno::ui
