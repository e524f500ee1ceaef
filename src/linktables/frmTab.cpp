#include "linktables/frmTab.h"

#include "commands/CommandBarView.h"
#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "commands/MakeMenus.h"
#include "config/Language.h"
#include "platform/Dialogs.h"
#include "platform/MoveHandle.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSizeGrip>
#include <QStyle>
#include <QTabBar>
#include <QTableView>

namespace lorva {

namespace {

const char *kStyle =
    "#PicLab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7f9fc, stop:1 #e3eaf4);"
    " border-bottom: 1px solid #b7c5d9; }"
    "#Label1 { color: #1f3f66; font-weight: bold; }"
    "#lblMove { background: transparent; }"
    "frmTab { background: #eef2f8; border: 1px solid #8ea6cc; }"
    "#TabF::tab { height: 13px; padding: 0px 3px; margin: 0px; font-size: 10px; color: #1b2a3a;"
    " border: 1px solid #a9bbd6; border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
    " background: #e2e9f4; min-width: 8px; }"
    "#TabF::tab:hover { background: #fff1cf; }"
    "#TabF::tab:selected { background: #ffffff; font-weight: bold; }"
    "#TabF[inactive=\"true\"]::tab:selected { background: #e2e9f4; font-weight: normal; }"
    "#strip0Body { background: #ffffff; border: 1px solid #a9bbd6; }";

} // namespace

frmTab::frmTab(LinkTableContext ctx, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_images(CommandWindow::Table),
      m_dialogs(ctx.platform.createDialogs(this)), m_ctx(std::move(ctx)),
      m_picLab(new QWidget(this)),
      m_cmdBar{new CommandBarView(m_ctx.commands, m_images, elements::TableTools, elements::TableTools, m_picLab),
               new CommandBarView(m_ctx.commands, m_images, elements::TableExit, elements::TableExit, m_picLab)},
      m_text1(new QLineEdit(m_picLab)), m_label1(new QLabel(m_picLab)), m_lblMove(new QLabel(m_picLab)),
      m_strip0Body(new QFrame(this)), m_gridList(new QTableView(this))
{
    m_ctx.window = this;
    m_ctx.frame = &m_frame;
    m_ctx.dialogs = m_dialogs.get();
    m_ctx.grid = &m_grid;
    m_ctx.state = &m_state;
    setObjectName(QStringLiteral("frmTab"));
    setWindowTitle(m_ctx.language.Captions[33]);
    setAccessibleName(m_ctx.language.Captions[33]);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QLatin1String(kStyle));
    m_picLab->setObjectName(QStringLiteral("PicLab"));
    m_picLab->setAttribute(Qt::WA_StyledBackground);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(m_ctx.language.Captions[77]);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_lblMove->setObjectName(QStringLiteral("lblMove"));
    new MoveHandle(m_lblMove, this);
    m_strip0Body->setObjectName(QStringLiteral("strip0Body"));
    connect(m_text1, &QLineEdit::returnPressed, this, [this] { titleBoxEnter(m_ctx); });

    for (int s = 0; s < kStrips; ++s) {
        auto *strip = new QTabBar(this);
        m_tabF[s] = strip;
        strip->setObjectName(QStringLiteral("TabF"));
        strip->setProperty("index", s);
        strip->setExpanding(true);
        strip->setUsesScrollButtons(false);
        strip->setElideMode(Qt::ElideRight);
        strip->setDrawBase(false);
        strip->setAccessibleName(QStringLiteral("%1 %2-%3").arg(m_ctx.language.Captions[130]).arg(s * 15 + 1).arg(s * 15 + 15));
        for (int t = 0; t < kTabsPerStrip; ++t)
            strip->addTab(QString());
        connect(strip, &QTabBar::tabBarClicked, this, [this, s](int tab) { stripSelected(m_ctx, s, tab); });
        // The keyboard moves along a strip: the tab it comes to is chosen.
        connect(strip, &QTabBar::currentChanged, this, [this, s](int tab) {
            if (m_state.CurrentStrip != s || m_state.selectedTab[size_t(s)] != tab)
                stripSelected(m_ctx, s, tab);
        });
    }
    m_strip0Body->lower();

    m_gridList->setObjectName(QStringLiteral("GridList"));
    m_gridList->setAccessibleName(m_ctx.language.Captions[33]);
    m_gridList->setModel(&m_grid);
    m_gridList->verticalHeader()->hide();
    m_gridList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_gridList->verticalHeader()->setDefaultSectionSize(m_gridList->fontMetrics().height() + 6);
    m_gridList->horizontalHeader()->setHighlightSections(false);
    m_gridList->horizontalHeader()->setSectionsClickable(false);
    m_gridList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gridList->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_gridList->setWordWrap(false);
    m_gridList->setColumnHidden(2, true);
    m_gridList->installEventFilter(this);
    connect(m_gridList, &QTableView::clicked, this, [this](const QModelIndex &index) {
        gridCellChosen(index);
        GridList_Click(m_ctx);
    });
    connect(m_gridList, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        gridCellChosen(index);
        GridList_DblClick(m_ctx);
    });
    connect(m_gridList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && current.column() != 0)
                    gridCurrentChanged(m_ctx, current.row() + 1, current.column());
            });

    auto *grip = new QSizeGrip(this);
    grip->setObjectName(QStringLiteral("sizeGrip"));
    grip->resize(grip->sizeHint());

    for (CommandBarView *bar : m_cmdBar)
        connect(bar, &CommandBarView::clicked, this,
                [this](Element element, const QString &key) { m_ctx.dispatcher.click(element, key); });
    for (const QString &key :
         {keys::Exit5, keys::AddUrl, keys::EditUrl, keys::GoUrl, keys::Sort, keys::Save2, keys::Help2, keys::Title})
        m_ctx.dispatcher.setRow(elements::TableTools, key, [this](const QString &k) { tableCommand(m_ctx, k); });
    m_ctx.dispatcher.setRow(elements::TableExit, keys::Exit6,
                        [this](const QString &k) { tableCommand(m_ctx, k); });
    // Escape leaves as the close button does, asking about unsaved changes.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { m_ctx.dispatcher.click(elements::TableExit, keys::Exit6); });
}

frmTab::~frmTab()
{
    m_ctx.dispatcher.clearRows(elements::TableTools);
    m_ctx.dispatcher.clearRows(elements::TableExit);
}

void frmTab::load()
{
    if (!m_ctx.links.tableBarsBuilt) {
        Make_WindowBars(m_ctx.commands, CommandWindow::Table);
        m_ctx.links.tableBarsBuilt = true;
    }
    m_cmdBar[1]->showBar(keys::Tab1);
    m_cmdBar[0]->showBar(keys::Tab0);
    for (CommandBarView *bar : m_cmdBar) {
        bar->setBarStyle(1);
        bar->setAccessibleName(m_ctx.language.Captions[33]);
    }
    Form_Load(m_ctx);
    m_loaded = true;
    m_gridList->setCurrentIndex(m_grid.index(0, 1));
}

void frmTab::gridCellChosen(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    if (index.column() == 0) {
        // The row number selects the whole row, as a grid's fixed column does.
        const QItemSelection row(m_grid.index(index.row(), 1), m_grid.index(index.row(), kGridColumns - 1));
        m_gridList->selectionModel()->setCurrentIndex(m_grid.index(index.row(), 1), QItemSelectionModel::NoUpdate);
        m_gridList->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
    }
    gridCurrentChanged(m_ctx, index.row() + 1, index.column());
}

bool frmTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_gridList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GridList_DblClick(m_ctx);
            return true;
        }
        if (key == Qt::Key_Space) {
            GridList_Click(m_ctx);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmTab::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (auto *grip = findChild<QSizeGrip *>(QStringLiteral("sizeGrip")))
        grip->move(width() - grip->width(), height() - grip->height());
    if (m_loaded)
        Form_Resize(m_ctx);
}

void frmTab::closeEvent(QCloseEvent *event)
{
    // Closed by the system while shown: the window's own exit runs first.
    if (isVisible() && m_loaded)
        Form_QueryUnload(m_ctx);
    event->accept();
}

void frmTab::setStripCaption(int strip, int tab, const QString &caption)
{
    if (strip < 0 || strip >= kStrips)
        return;
    m_tabF[strip]->setTabText(tab, caption);
    m_tabF[strip]->setTabToolTip(tab, caption);
}

void frmTab::showSelectedTabs(const std::array<int, kStrips> &tabs)
{
    for (int s = 0; s < kStrips; ++s) {
        QTabBar *strip = m_tabF[s];
        const bool inactive = tabs[size_t(s)] < 0;
        if (!inactive) {
            const QSignalBlocker quiet(strip);
            strip->setCurrentIndex(tabs[size_t(s)]);
        }
        if (strip->property("inactive").toBool() != inactive) {
            strip->setProperty("inactive", inactive);
            strip->style()->unpolish(strip);
            strip->style()->polish(strip);
            strip->update();
        }
    }
}

void frmTab::setGridVisible(bool visible) { m_gridList->setVisible(visible); }

void frmTab::setCurrentCell(int row, int column)
{
    if (row >= 1 && row < m_grid.rows())
        m_gridList->setCurrentIndex(m_grid.index(row - 1, column));
}

void frmTab::setLabelText(const QString &text) { m_label1->setText(text); }

void frmTab::openTitleBox()
{
    m_text1->setStyleSheet(QStringLiteral("background: rgb(255, 255, 192);"));
    m_text1->show();
    m_text1->raise();
    m_text1->setFocus(Qt::OtherFocusReason);
}

void frmTab::closeTitleBox()
{
    m_text1->setStyleSheet(QStringLiteral("background: palette(button);"));
    m_text1->hide();
}

QString frmTab::titleBoxText() const { return m_text1->text(); }

void frmTab::setTitleBoxText(const QString &text) { m_text1->setText(text); }

int frmTab::cellHeightTwips() const { return m_gridList->verticalHeader()->defaultSectionSize() * kTwipsPerPixel; }

void frmTab::applyLayout(const TableLayout &l)
{
    m_picLab->setGeometry(toPixels(l.PicLab));
    m_cmdBar[0]->setGeometry(toPixels(l.bar[0]));
    // The exit bar keeps its right end; it grows leftwards when the style's
    // buttons need more room than its designed width.
    QRect exitBar = toPixels(l.bar[1]);
    exitBar.setLeft(exitBar.right() + 1 - qMax(exitBar.width(), m_cmdBar[1]->sizeHint().width()));
    m_cmdBar[1]->setGeometry(exitBar);
    // The label takes what its text needs in a longer language.
    QRect label = toPixels(l.Label1);
    label.setWidth(qMax(label.width(), m_label1->sizeHint().width()));
    m_label1->setGeometry(label);
    m_lblMove->setGeometry(toPixels(l.lblMove));
    m_text1->setGeometry(toPixels(l.Text1));
    // Stacked as drawn: the move handle over the bar's empty end, the title
    // box over the label, the exit button over everything.
    m_lblMove->raise();
    m_text1->raise();
    m_cmdBar[1]->raise();
    for (int s = 0; s < kStrips; ++s) {
        TwipsRect tabs = l.strip[size_t(s)];
        tabs.height = qMin(tabs.height, 230);
        m_tabF[s]->setGeometry(toPixels(tabs));
    }
    TwipsRect body = l.strip[0];
    body.top += 230;
    body.height = qMax(0, body.height - 230);
    m_strip0Body->setGeometry(toPixels(body));
    m_gridList->setGeometry(toPixels(l.grid));
    m_gridList->raise();
    std::array<int, kGridColumns> widths{};
    for (int c = 0; c < kGridColumns; ++c)
        widths[size_t(c)] = toPixels(l.colWidth[size_t(c)]);
    // The date column shows a whole date in the grid's font; the address
    // text column gives it the room.
    const int date = qMax(m_gridList->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")),
                          m_gridList->horizontalHeader()->fontMetrics().horizontalAdvance(m_grid.text(0, 6))) +
                     12;
    if (widths[6] < date) {
        widths[5] = qMax(0, widths[5] - (date - widths[6]));
        widths[6] = date;
    }
    for (int c = 0; c < kGridColumns; ++c) {
        if (c != 2)
            m_gridList->setColumnWidth(c, widths[size_t(c)]);
    }
}

void frmTab::hideWindow() { hide(); }

} // namespace lorva
