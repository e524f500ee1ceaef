#include "platform/PrintPreview.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QPdfDocument>
#include <QPdfView>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace lorva {

namespace {

// The toolkit's own print preview names its tools; its words (and their
// translations) and its pictures serve here too.
QString qtText(const char *text) { return QCoreApplication::translate("QPrintPreviewDialog", text); }

QIcon qtIcon(const QString &name, const QString &themeName)
{
    const QString base = QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/") + name;
    QIcon icon;
    for (const char *size : {"-24.png", "-32.png"}) {
        if (QFile::exists(base + QLatin1String(size)))
            icon.addFile(base + QLatin1String(size));
    }
    return icon.isNull() ? QIcon::fromTheme(themeName) : icon;
}

} // namespace

PrintPreview::PrintPreview(QWidget *parent)
    : QDialog(parent), m_buffer(new QBuffer(this)), m_document(new QPdfDocument(this)), m_view(new QPdfView(this)),
      m_making(new QProgressBar(this))
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(qtText("Print Preview"));
    m_view->setObjectName(QStringLiteral("pages"));
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_view->setDocument(m_document);
    m_view->setFocusPolicy(Qt::StrongFocus);
    // Sheets apart, on a darker ground, as on a desk.
    m_view->setPageSpacing(12);
    m_view->setDocumentMargins(QMargins(12, 12, 12, 12));

    auto *tools = new QToolBar(this);
    const auto fit = [this](QPdfView::ZoomMode mode) { return [this, mode] { m_view->setZoomMode(mode); }; };
    const auto zoom = [this](qreal step) {
        return [this, step] {
            qreal factor = m_view->zoomFactor();
            if (m_view->zoomMode() != QPdfView::ZoomMode::Custom && m_document->pageCount() > 0) {
                // What the fitting made of the first page, as a factor.
                const QSizeF page = m_document->pagePointSize(0) * logicalDpiX() / 72.0;
                const QMargins margins = m_view->documentMargins();
                const QSize room = m_view->viewport()->size().shrunkBy(margins);
                factor = room.width() / page.width();
                if (m_view->zoomMode() == QPdfView::ZoomMode::FitInView)
                    factor = std::min(factor, room.height() / page.height());
            }
            m_view->setZoomMode(QPdfView::ZoomMode::Custom);
            m_view->setZoomFactor(std::clamp(factor * step, 0.1, 10.0));
        };
    };
    tools->addAction(qtIcon(QStringLiteral("fit-width"), QStringLiteral("zoom-fit-width")), qtText("Fit width"), this,
                     fit(QPdfView::ZoomMode::FitToWidth));
    tools->addAction(qtIcon(QStringLiteral("fit-page"), QStringLiteral("zoom-fit-best")), qtText("Fit page"), this,
                     fit(QPdfView::ZoomMode::FitInView));
    QAction *in = tools->addAction(qtIcon(QStringLiteral("zoom-in"), QStringLiteral("zoom-in")), qtText("Zoom in"),
                                   this, zoom(1.25));
    in->setShortcut(QKeySequence::ZoomIn);
    QAction *out = tools->addAction(qtIcon(QStringLiteral("zoom-out"), QStringLiteral("zoom-out")),
                                    qtText("Zoom out"), this, zoom(0.8));
    out->setShortcut(QKeySequence::ZoomOut);
    tools->addSeparator();
    QAction *setup = tools->addAction(qtIcon(QStringLiteral("page-setup"), QStringLiteral("document-properties")),
                                      qtText("Page setup"), this, &PrintPreview::pageSetupRequested);
    QAction *print = tools->addAction(qtIcon(QStringLiteral("print"), QStringLiteral("document-print")),
                                      qtText("Print"), this, &PrintPreview::printRequested);
    print->setShortcut(QKeySequence::Print);
    setup->setObjectName(QStringLiteral("setup"));
    print->setObjectName(QStringLiteral("print"));
    m_needPages = {in, out, setup, print};

    m_making->setRange(0, 0); // busy, for as long as it takes
    m_making->setTextVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_making);
    layout->addWidget(m_view, 1);

    // Most of the main window, as the toolkit's own preview takes.
    const QRect room = (parent ? parent->window()->screen() : screen())->availableGeometry();
    resize(std::min(room.width() * 3 / 4, 1000), room.height() * 9 / 10);
    setPdf({});
}

PrintPreview::~PrintPreview()
{
    m_view->setDocument(nullptr);
    m_document->close();
}

void PrintPreview::setPdf(const QByteArray &pdf)
{
    m_document->close();
    m_buffer->close();
    m_pdf = pdf;
    const bool ready = !m_pdf.isEmpty();
    if (ready) {
        m_buffer->setBuffer(&m_pdf);
        m_buffer->open(QIODevice::ReadOnly);
        m_document->load(m_buffer);
    }
    m_making->setVisible(!ready);
    for (QAction *action : std::as_const(m_needPages))
        action->setEnabled(ready);
    if (ready)
        m_view->setFocus();
}

} // namespace lorva
