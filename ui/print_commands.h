#pragma once

#include <memory>

#include "print/listing_sink.h"
#include "ui/dialogs.h"

class QPrinter;

namespace talveno::ui {

// The window's print dialog: keeps the printer chosen in it, with the settings made there,
// for the next listing; none before the first.
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

    QPrinter* printer() const { return printer_.get(); }

  private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace talveno::ui
