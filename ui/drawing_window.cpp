#include "ui/drawing_window.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "posix/file_system.h"
#include "ui/look.h"
#include "ui/print_commands.h"

namespace talveno::ui {

namespace {

QSize pixels(window::Size size, double times = 1) {
    return QSize(int(size.width * times), int(size.height * times));
}

void drawOn(window::Size size, const Drawing& draw, QPainter& painter, const QRectF& target) {
    PainterCanvas canvas(painter, windowFont(), size, target);
    draw(canvas);
}

// The drawing at the size of the widget, on white.
class DrawingWidget : public QWidget {
  public:
    DrawingWidget(window::Size size, const Drawing& draw, QWidget* parent)
        : QWidget(parent), size_(size), draw_(draw) {
        setMinimumSize(pixels(size, 0.5));
        setFill(this, kWhite);
    }
    QSize sizeHint() const override { return pixels(size_); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (draw_) drawOn(size_, draw_, painter, rect());
    }

  private:
    window::Size size_;
    const Drawing& draw_;
};

}  // namespace

DrawingWindow::DrawingWindow(QWidget* owner, const QString& name, window::Size size)
    : QWidget(owner, Qt::Window), size_(size) {
    setObjectName(name);
    setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the program
    setFont(windowFont());
    canvas_ = new DrawingWidget(size_, draw_, this);
    auto* layout = new QVBoxLayout(this);
    top_ = new QVBoxLayout;
    buttons_ = new QHBoxLayout;
    buttons_->addStretch();
    layout->addLayout(top_);
    layout->addWidget(canvas_, 1);
    layout->addLayout(buttons_);
    close_ = addButton("CloseButton", QStringLiteral("閉じる"));
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

QPushButton* DrawingWindow::addButton(const char* name, const QString& caption) {
    auto* made = new QPushButton(caption, this);
    made->setObjectName(QString::fromLatin1(name));
    made->setCursor(Qt::PointingHandCursor);
    made->setMinimumSize(96, 30);
    // The close button stays last.
    buttons_->insertWidget(buttons_->count() - (close_ ? 1 : 0), made);
    if (close_) setTabOrder(made, close_);
    return made;
}

QPushButton* DrawingWindow::button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

void DrawingWindow::setDrawing(Drawing draw, const QString& title, const QString& documentTitle) {
    draw_ = std::move(draw);
    setWindowTitle(title);
    documentTitle_ = documentTitle.isEmpty() ? title : documentTitle;
    canvas_->update();
}

void DrawingWindow::open() {
    if (!opened_) {
        opened_ = true;
        if (const QScreen* screen = this->screen()) {
            const QRect room = screen->availableGeometry();
            const QSize chrome = sizeHint() - canvas_->sizeHint();
            const QSize drawingRoom = (room.size() * 9 / 10 - chrome).boundedTo(pixels(size_));
            const QSize canvas =
                QSizeF(pixels(size_)).scaled(drawingRoom, Qt::KeepAspectRatio).toSize();
            resize(canvas + chrome);
            move(room.center() - rect().center());
        }
    }
    show();
    raise();
    activateWindow();
    close_->setFocus();
}

void DrawingWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void DrawingWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void DrawingWindow::savePng(Dialogs& dialogs) {
    const auto path = chooseFileToSave(dialogs, pngDialog);
    if (path) writeFile(*path, pngImage(size_, draw_));
}

void DrawingWindow::savePdf(Dialogs& dialogs) {
    const auto path = chooseFileToSave(dialogs, pdfDialog);
    if (path) writeFile(*path, pdfDocument(size_, draw_, documentTitle_));
}

void DrawingWindow::print(Dialogs& dialogs, PrintDialog& printDialog) {
    printDialog.printPicture(dialogs, [this](QPainter& painter, const QRectF& area) {
        drawOn(size_, draw_, painter, area);
    });
}

QByteArray pngImage(window::Size size, const Drawing& draw) {
    const QImage image =
        drawnImage(size, draw, windowFont(), pixels(size, 2)).convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdfDocument(window::Size size, const Drawing& draw, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Talveno"));
        writer.setTitle(title);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(36, 36, 36, 36), QPageLayout::Point));
        QPainter painter(&writer);
        drawOn(size, draw, painter, QRectF(0, 0, writer.width(), writer.height()));
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    file_system::replaceFile(
        path.toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace talveno::ui
