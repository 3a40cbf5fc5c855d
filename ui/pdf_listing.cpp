#include "ui/pdf_listing.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include "print/print_stream.h"
#include "ui/painter_surface.h"

namespace talveno::ui {

struct OffscreenGui::Application {
    // The arguments outlive the application, as Qt requires; they choose the platform
    // whatever QT_QPA_PLATFORM says.
    char name[14] = "talveno-batch";
    char option[10] = "-platform";
    char platform[10] = "offscreen";
    char* argv[4] = {name, option, platform, nullptr};
    int argc = 3;
    QGuiApplication application{argc, argv};
};

namespace {

QtMessageHandler qtMessages = nullptr;

// Qt's warnings about the desktop it misses (no runtime folder and the like) are not the
// command's to show; its critical messages are.
void criticalOnly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) qtMessages(type, context, message);
}

}  // namespace

OffscreenGui::OffscreenGui() {
    if (QGuiApplication::instance()) return;
    qtMessages = qInstallMessageHandler(criticalOnly);
    application_ = std::make_unique<Application>();
}

OffscreenGui::~OffscreenGui() {
    application_.reset();
    if (qtMessages) qInstallMessageHandler(qtMessages);
    qtMessages = nullptr;
}

std::string pdfListing(const Listing& listing) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Talveno"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 36, 18, 36), QPageLayout::Point));
    PainterSurface surface(writer);
    PrintStream stream(surface);
    listing(stream);
    surface.end();
    return buffer.data().toStdString();
}

}  // namespace talveno::ui
