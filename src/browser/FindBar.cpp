#include "browser/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace lorva {

FindBar::FindBar(QWidget *parent)
    : QFrame(parent), m_label(new QLabel(this)), m_box(new QLineEdit(this)), m_count(new QLabel(this)), m_previous(new QToolButton(this)),
      m_next(new QToolButton(this)), m_close(new QToolButton(this))
{
    setObjectName(QStringLiteral("findBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_box->setObjectName(QStringLiteral("findBox"));
    m_box->setMinimumWidth(200);
    m_label->setBuddy(m_box);
    m_count->setObjectName(QStringLiteral("findCount"));
    m_count->setTextFormat(Qt::PlainText);
    // Room for the count from the start: the bar is sized when it opens.
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("0000/0000")));
    m_count->setAlignment(Qt::AlignCenter);
    m_previous->setText(QStringLiteral("\u25B2"));
    m_next->setText(QStringLiteral("\u25BC"));
    m_close->setText(QStringLiteral("\u2715"));
    for (QToolButton *button : {m_previous, m_next, m_close})
        button->setAutoRaise(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 3, 3);
    layout->addWidget(m_label);
    layout->addWidget(m_box, 1);
    layout->addWidget(m_count);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_close);

    connect(m_box, &QLineEdit::textChanged, this, [this] { find(false); });
    connect(m_previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(m_next, &QToolButton::clicked, this, [this] { find(false); });
    connect(m_close, &QToolButton::clicked, this, &FindBar::close);
    m_box->installEventFilter(this);
    hide();
}

void FindBar::setTexts(const QString &label, const QString &previous, const QString &next, const QString &close)
{
    m_label->setText(label);
    // Screen readers name the box by the label, without its colon.
    QString name = label;
    name.remove(u'&');
    if (name.endsWith(u':'))
        name.chop(1);
    m_box->setAccessibleName(name.trimmed());
    m_previous->setToolTip(previous);
    m_previous->setAccessibleName(previous);
    m_next->setToolTip(next);
    m_next->setAccessibleName(next);
    m_close->setToolTip(close);
    m_close->setAccessibleName(close);
}

void FindBar::open()
{
    show();
    raise();
    m_box->setFocus();
    m_box->selectAll();
    if (!m_box->text().isEmpty())
        find(false);
}

void FindBar::close()
{
    hide();
    if (m_finder)
        m_finder(QString(), false); // clears the highlighted matches
}

void FindBar::showMatches(int matches, int current)
{
    const bool searched = !m_box->text().isEmpty();
    m_box->setStyleSheet(matches > 0 || !searched ? QString() : QStringLiteral("QLineEdit { background: #f8d0d0; }"));
    // "3/12": the third of twelve matches; numbers need no language.
    m_count->setText(searched ? QStringLiteral("%1/%2").arg(current).arg(matches) : QString());
}

void FindBar::find(bool backward)
{
    if (m_finder)
        m_finder(m_box->text(), backward);
    if (m_box->text().isEmpty())
        showMatches(0, 0);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace lorva
