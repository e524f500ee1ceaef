#include "windows/frmEDit.h"

#include "commands/CommandBarView.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "commands/MakeMenus.h"
#include "config/Geometry.h"
#include "linktables/LinkFiles.h"
#include "linktables/LinkGroups.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace lorva {

frmEDit::frmEDit(RowEditorContext ctx, QWidget *parent)
    : QWidget(parent, Qt::Dialog), m_images(CommandWindow::RowEditor),
      m_dialogs(ctx.platform.createDialogs(this)), m_ctx(std::move(ctx)), m_imgTitle(new QLabel(this)),
      m_imgBkg(new QWidget(this)),
      m_cmdBar(new CommandBarView(m_ctx.commands, m_images, elements::EditorBar, elements::EditorBar, this))
{
    m_ctx.window = this;
    m_ctx.frame = &m_frame;
    m_ctx.dialogs = m_dialogs.get();
    setObjectName(QStringLiteral("frmEDit"));
    m_imgTitle->setObjectName(QStringLiteral("imgTitle"));
    m_imgBkg->setObjectName(QStringLiteral("imgBkg"));
    m_imgBkg->setAttribute(Qt::WA_StyledBackground);
    m_imgTitle->setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "#imgTitle { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7f9fc, stop:1 #dfe7f3);"
        " border-bottom: 1px solid #b7c5d9; }"
        "#imgBkg { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f3f6fb, stop:1 #e6ecf5); }"
        "QLabel[field=\"true\"] { color: #1f3f66; }"));
    for (int i = 1; i <= 6; ++i) {
        m_lab[i] = new QLabel(m_imgBkg);
        m_lab[i]->setProperty("field", true);
        m_txt[i] = new QLineEdit(m_imgBkg);
        m_txt[i]->setObjectName(QStringLiteral("Txt%1").arg(i));
        m_lab[i]->setBuddy(m_txt[i]);
        // A separator typed into a field would split the link in the file.
        connect(m_txt[i], &QLineEdit::textEdited, this, [this, i](const QString &text) {
            const QString safe = i == 2 ? linkAddressText(text) : linkFieldText(text);
            if (safe != text) {
                const int at = m_txt[i]->cursorPosition();
                m_txt[i]->setText(safe);
                m_txt[i]->setCursorPosition(qMin(at + int(safe.size() - text.size()), int(safe.size())));
            }
        });
    }
    m_imgBkg->lower();
    connect(m_cmdBar, &CommandBarView::clicked, this,
            [this](Element element, const QString &key) { m_ctx.dispatcher.click(element, key); });
    for (const QString &key : {keys::Cancel, keys::Save3})
        m_ctx.dispatcher.setRow(elements::EditorBar, key, [this](const QString &k) { editorCommand(m_ctx, k); });
    // Escape leaves the row as it was, as closing the window does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

frmEDit::~frmEDit() { m_ctx.dispatcher.clearRows(elements::EditorBar); }

void frmEDit::load()
{
    if (!m_ctx.links.EditorBarBuilt) {
        Make_WindowBars(m_ctx.commands, CommandWindow::RowEditor);
        m_ctx.links.EditorBarBuilt = true;
    }
    m_cmdBar->showBar(keys::Edit9);
    m_cmdBar->setBarStyle(1);
    Form_Load(m_ctx);
    m_loaded = true;
    layOut();
    m_txt[1]->setFocus(Qt::OtherFocusReason);
}

void frmEDit::layOut()
{
    const int W = m_frame.innerWidthTwips();
    const int H = m_frame.innerHeightTwips();
    const TwipsRect bar{10, 20, W - 40, 375};
    m_cmdBar->setGeometry(toPixels(bar));
    const TwipsRect title{0, 0, W - 40, bar.height + bar.top + 30};
    m_imgTitle->setGeometry(toPixels(TwipsRect{title.left, title.top, W, title.height}));
    m_imgBkg->setGeometry(toPixels(TwipsRect{0, title.height, W, H - title.height}));
    m_cmdBar->raise();
    const int rowHeight = qMax(420, (H - title.height - 300) / 6);
    for (int i = 1; i <= 6; ++i) {
        const int top = 150 + (i - 1) * rowHeight;
        m_lab[i]->setGeometry(toPixels(TwipsRect{240, top, 2100, 330}));
        m_txt[i]->setGeometry(toPixels(TwipsRect{2400, top, qMax(1500, W - 2640), 330}));
    }
}

void frmEDit::closeEvent(QCloseEvent *event)
{
    if (isVisible() && m_loaded)
        GO_Exit(m_ctx);
    event->accept();
}

void frmEDit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_loaded)
        layOut();
}

QString frmEDit::boxText(int box) const { return box >= 1 && box <= 6 ? m_txt[box]->text() : QString(); }

void frmEDit::setBoxText(int box, const QString &text)
{
    if (box >= 1 && box <= 6) {
        m_txt[box]->setText(text);
        m_txt[box]->setCursorPosition(0);
    }
}

void frmEDit::setLabelText(int label, const QString &text)
{
    if (label >= 1 && label <= 6) {
        m_lab[label]->setText(text);
        m_txt[label]->setAccessibleName(text);
    }
}

void frmEDit::setCaption(const QString &text) { setWindowTitle(text); }

void frmEDit::hideWindow() { hide(); }

} // namespace lorva
