#include "windows/frmSpeechLog.h"

#include "platform/Screens.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace lorva {

frmSpeechLog::frmSpeechLog(const QString &title, const QList<Line> &lines,
                           std::function<void(const QString &)> speakAgain)
    : QWidget(nullptr, Qt::Dialog), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmSpeechLog"));
    setWindowTitle(title);
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setAccessibleName(title);
    m_list->setUniformItemSizes(true);
    m_list->setTextElideMode(Qt::ElideRight);
    for (const Line &line : lines) {
        QString shown = line.text.simplified();
        auto *item = new QListWidgetItem(line.time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("   ") + shown,
                                         m_list);
        item->setData(Qt::UserRole, line.text);
        item->setToolTip(shown);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(m_list->count() - 1);
    connect(m_list, &QListWidget::itemActivated, this,
            [speakAgain](QListWidgetItem *item) { speakAgain(item->data(Qt::UserRole).toString()); });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_list);
    const QRect screen = screenGeometry(this);
    resize(screen.width() / 3, screen.height() / 2);
    move(screen.center() - rect().center());
}

} // namespace lorva
