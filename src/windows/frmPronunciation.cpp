#include "windows/frmPronunciation.h"

#include "platform/Screens.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lorva {

namespace {

enum Column { Written, Said, MatchCase };

} // namespace

frmPronunciation::frmPronunciation(const Texts &texts, const PronunciationList &entries, const Notice &notice,
                                   std::function<Notice(const PronunciationList &)> save)
    : QWidget(nullptr, Qt::Dialog), m_table(new QTableWidget(0, 3, this)), m_add(new QPushButton(texts.add, this)),
      m_heading(new QLabel(this)), m_notices(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmPronunciation"));
    setWindowTitle(texts.title);
    m_table->setObjectName(QStringLiteral("Entries"));
    m_table->setAccessibleName(texts.title);
    m_table->setHorizontalHeaderLabels({texts.written, texts.said, texts.matchCase});
    m_table->horizontalHeader()->setSectionResizeMode(Said, QHeaderView::Stretch);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Not on a change of cell: Escape, Tab and saving leave a cell closed.
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    for (const PronunciationEntry &entry : entries)
        addRow(entry);
    m_notices->setObjectName(QStringLiteral("Notices"));
    // A reason is read whole, not cut at the window's edge.
    m_notices->setWordWrap(true);
    m_notices->setResizeMode(QListView::Adjust);
    m_heading->setBuddy(m_notices);

    auto *remove = new QPushButton(texts.remove, this);
    auto *saveButton = new QPushButton(texts.save, this);
    connect(m_add, &QPushButton::clicked, this, [this] {
        addRow({});
        m_table->setFocus();
        m_table->setCurrentCell(m_table->rowCount() - 1, Written);
        m_table->editItem(m_table->item(m_table->rowCount() - 1, Written));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_table->currentRow() >= 0)
            m_table->removeRow(m_table->currentRow());
    });
    const auto saveRows = [this, save = std::move(save)] {
        // What is being typed in a cell counts too: leaving the cell takes it.
        const QModelIndex editing = m_table->currentIndex();
        m_table->setCurrentIndex(QModelIndex());
        m_table->setCurrentIndex(editing);
        showNotice(save(rows()));
    };
    connect(saveButton, &QPushButton::clicked, this, saveRows);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, saveRows);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_table, 3);
    layout->addLayout(buttons);
    layout->addWidget(m_heading);
    layout->addWidget(m_notices, 1);
    showNotice(notice);
    const QRect screen = screenGeometry(this);
    resize(screen.width() / 2, screen.height() / 2);
    move(screen.center() - rect().center());
}

void frmPronunciation::addRow(const PronunciationEntry &entry)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, Written, new QTableWidgetItem(entry.written));
    m_table->setItem(row, Said, new QTableWidgetItem(entry.said));
    auto *matchCase = new QTableWidgetItem;
    matchCase->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    matchCase->setCheckState(entry.matchCase ? Qt::Checked : Qt::Unchecked);
    m_table->setItem(row, MatchCase, matchCase);
}

PronunciationList frmPronunciation::rows() const
{
    PronunciationList entries;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto text = [&](int column) { return m_table->item(row, column) ? m_table->item(row, column)->text() : QString(); };
        entries.append({text(Written), text(Said),
                        m_table->item(row, MatchCase) && m_table->item(row, MatchCase)->checkState() == Qt::Checked});
    }
    return entries;
}

void frmPronunciation::showNotice(const Notice &notice)
{
    m_heading->setText(notice.heading);
    m_heading->setVisible(!notice.heading.isEmpty());
    m_notices->clear();
    m_notices->addItems(notice.lines);
    m_notices->setVisible(!notice.lines.isEmpty());
}

} // namespace lorva
