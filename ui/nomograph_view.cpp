#include "ui/nomograph_view.h"

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
#include "qt_paint/painter_canvas.h"
#include "ui/look.h"
#include "ui/print_commands.h"

namespace talveno::ui {

namespace {

QSize pageSize(double times = 1) {
    return QSize(int(NomographPage::kSize.width * times), int(NomographPage::kSize.height * times));
}

void drawPage(const NomographPage& page, QPainter& painter, const QRectF& target) {
    PainterCanvas canvas(painter, windowFont(), NomographPage::kSize, target);
    page.draw(canvas);
}

// The page drawn at the size of the widget, on white.
class PageWidget : public QWidget {
  public:
    PageWidget(const std::unique_ptr<NomographPage>& page, QWidget* parent)
        : QWidget(parent), page_(page) {
        setMinimumSize(pageSize(0.5));
        setFill(this, kWhite);
    }
    QSize sizeHint() const override { return pageSize(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (page_) drawPage(*page_, painter, rect());
    }

  private:
    const std::unique_ptr<NomographPage>& page_;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    file_system::replaceFile(
        path.toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

NomographView::NomographView(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("NomographView"));
    setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the program
    setFont(windowFont());
    canvas_ = new PageWidget(page_, this);
    const auto button = [this](const char* name, const QString& caption) {
        auto* made = new QPushButton(caption, this);
        made->setObjectName(QString::fromLatin1(name));
        made->setCursor(Qt::PointingHandCursor);
        made->setMinimumSize(96, 30);
        return made;
    };
    savePng_ = button("SavePngButton", QStringLiteral("PNG で保存"));
    savePdf_ = button("SavePdfButton", QStringLiteral("PDF で保存"));
    print_ = button("PrintButton", QStringLiteral("印　刷"));
    close_ = button("CloseButton", QStringLiteral("閉じる"));
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* each : {savePng_, savePdf_, print_, close_}) buttons->addWidget(each);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addLayout(buttons);
}

NomographView::~NomographView() = default;

// The first page opens the window at the page's own size where the screen has room for it,
// else as large as the screen takes, centred on the screen.
void NomographView::showPage(NomographPage page) {
    page_ = std::make_unique<NomographPage>(std::move(page));
    setWindowTitle(QStringLiteral("ノモグラフで確認 - No. %1").arg(page_->row()));
    canvas_->update();
    if (!opened_) {
        opened_ = true;
        if (const QScreen* screen = this->screen()) {
            const QRect room = screen->availableGeometry();
            const QSize chrome = sizeHint() - canvas_->sizeHint();
            const QSize pageRoom = (room.size() * 9 / 10 - chrome).boundedTo(pageSize());
            const QSize canvas = QSizeF(pageSize()).scaled(pageRoom, Qt::KeepAspectRatio).toSize();
            resize(canvas + chrome);
            move(room.center() - rect().center());
        }
    }
    show();
    raise();
    activateWindow();
    close_->setFocus();
}

void NomographView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void NomographView::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void NomographView::savePng(Dialogs& dialogs) {
    const auto path = chooseFileToSave(dialogs, pngDialog);
    if (path) writeFile(*path, pngImage(*page_));
}

void NomographView::savePdf(Dialogs& dialogs) {
    const auto path = chooseFileToSave(dialogs, pdfDialog);
    if (path) writeFile(*path, pdfDocument(*page_));
}

void NomographView::print(Dialogs& dialogs, PrintDialog& printDialog) {
    printDialog.printPicture(dialogs, [this](QPainter& painter, const QRectF& area) {
        drawPage(*page_, painter, area);
    });
}

QByteArray pngImage(const NomographPage& page) {
    const auto draw = [&page](window::Canvas& canvas) { page.draw(canvas); };
    const QImage image = drawnImage(NomographPage::kSize, draw, windowFont(), pageSize(2))
                             .convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdfDocument(const NomographPage& page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Talveno"));
        writer.setTitle(QStringLiteral("ノモグラフ No. %1").arg(page.row()));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(36, 36, 36, 36), QPageLayout::Point));
        QPainter painter(&writer);
        drawPage(page, painter, QRectF(0, 0, writer.width(), writer.height()));
    }
    return bytes;
}

}  // namespace talveno::ui
