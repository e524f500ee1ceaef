#pragma once

#include <QList>
#include <QString>
#include <QTime>
#include <QWidget>

#include <functional>

class QListWidget;

namespace lorva {

// The speech log: what was spoken in this run, newest last, with the time.
// Choosing a line (double-click or Enter) speaks it again.
class frmSpeechLog : public QWidget
{
    Q_OBJECT

public:
    struct Line
    {
        QTime time;
        QString text;
    };

    frmSpeechLog(const QString &title, const QList<Line> &lines, std::function<void(const QString &)> speakAgain);

    QListWidget *list() const { return m_list; }

private:
    QListWidget *m_list;
};

} // namespace lorva
