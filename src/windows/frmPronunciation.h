#pragma once

#include "config/Pronunciation.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace lorva {

// The pronunciation list's editor: a row per entry (written, said, match
// case), rows added, changed and removed in place, and below them what
// could not be taken (the file's damaged lines, or rows not saved). Save
// (or Ctrl+S) hands the rows over; Escape closes.
class frmPronunciation : public QWidget
{
    Q_OBJECT

public:
    struct Texts
    {
        QString title, written, said, matchCase, add, remove, save;
    };
    // What to show under the rows: a heading, and the lines under it.
    struct Notice
    {
        QString heading;
        QStringList lines;
    };

    frmPronunciation(const Texts &texts, const PronunciationList &entries, const Notice &notice,
                     std::function<Notice(const PronunciationList &)> save);

    QTableWidget *table() const { return m_table; }
    QPushButton *addButton() const { return m_add; }
    QListWidget *notices() const { return m_notices; }

private:
    void addRow(const PronunciationEntry &entry);
    PronunciationList rows() const;
    void showNotice(const Notice &notice);

    QTableWidget *m_table;
    QPushButton *m_add;
    QLabel *m_heading;
    QListWidget *m_notices;
};

} // namespace lorva
