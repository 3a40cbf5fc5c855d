#include "ui/print_commands.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

#include "print/print_failures.h"
#include "print/print_stream.h"
#include "qt_paint/painter_surface.h"
#include "ui/look.h"

namespace talveno::ui {

namespace {

// A printer on the printer of `kept`, with the settings the print dialog shows of it: paper,
// orientation, margins, copies, duplex and colour.
std::unique_ptr<QPrinter> copyOf(const QPrinter& kept, const QPrinterInfo& fallback) {
    QPrinterInfo info = QPrinterInfo::printerInfo(kept.printerName());
    if (info.isNull()) info = fallback;  // the printer is gone from the system
    auto copy = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    copy->setPageLayout(kept.pageLayout());
    copy->setCopyCount(kept.copyCount());
    copy->setCollateCopies(kept.collateCopies());
    copy->setDuplex(kept.duplex());
    copy->setColorMode(kept.colorMode());
    copy->setPageOrder(kept.pageOrder());
    return copy;
}

}  // namespace

PrintDialog::PrintDialog() = default;
PrintDialog::~PrintDialog() = default;

// A printer made without a printer behind it would write a PDF file instead, so the default
// printer is asked for first. The dialog works on a printer of its own, which becomes the
// window's only when the dialog is confirmed: a cancelled dialog changes nothing.
std::unique_ptr<QPrinter> PrintDialog::choosePrinter(Dialogs& dialogs,
                                                     QPageLayout::Orientation orientation) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) throw print_failures::noDefaultPrinter();
    std::unique_ptr<QPrinter> chosen =
        printer_ ? copyOf(*printer_, defaultPrinter)
                 : std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    chosen->setPageOrientation(orientation);
    if (!dialogs.print(*chosen)) return nullptr;
    return chosen;
}

void PrintDialog::printListing(Dialogs& dialogs, const Listing& listing) {
    const QPageLayout::Orientation orientation =
        printer_ ? printer_->pageLayout().orientation() : QPageLayout::Portrait;
    std::unique_ptr<QPrinter> chosen = choosePrinter(dialogs, orientation);
    if (!chosen) return;
    printer_ = std::move(chosen);
    const WaitCursor waiting;
    PainterSurface surface(*printer_);
    PrintStream stream(surface);
    listing(stream);
    surface.end();
}

// The picture is drawn on a landscape page, the listings keep the orientation last chosen for
// them.
void PrintDialog::printPicture(Dialogs& dialogs, const Picture& picture) {
    const QPageLayout::Orientation listingOrientation =
        printer_ ? printer_->pageLayout().orientation() : QPageLayout::Portrait;
    std::unique_ptr<QPrinter> chosen = choosePrinter(dialogs, QPageLayout::Landscape);
    if (!chosen) return;
    printer_ = std::move(chosen);
    const auto keepListingOrientation = qScopeGuard(
        [this, listingOrientation] { printer_->setPageOrientation(listingOrientation); });
    QPainter painter;
    if (!painter.begin(printer_.get())) throw print_failures::printJobFailed();
    picture(painter, QRectF(0, 0, printer_->width(), printer_->height()));
    if (!painter.end()) throw print_failures::printJobFailed();
}

}  // namespace talveno::ui
