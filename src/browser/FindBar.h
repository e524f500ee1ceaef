#pragma once

#include <QFrame>

#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace lorva {

// A small bar over the page that finds text as the user types: Enter finds
// the next match, Shift+Enter the previous one, Escape closes the bar.
class FindBar : public QFrame
{
    Q_OBJECT

public:
    // Finds `text`; the answer comes back through showMatches().
    using Finder = std::function<void(const QString &text, bool backward)>;

    explicit FindBar(QWidget *parent = nullptr);

    void setFinder(Finder finder) { m_finder = std::move(finder); }
    void setTexts(const QString &label, const QString &previous, const QString &next, const QString &close);
    // Opens the bar with the keyboard in its box.
    void open();
    void close();
    // Shows how many matches there are and which is the current one (from
    // 1), or that there is none.
    void showMatches(int matches, int current);
    QLineEdit *box() const { return m_box; }
    QLabel *count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(bool backward);

    QLabel *m_label;
    QLineEdit *m_box;
    QLabel *m_count;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_close;
    Finder m_finder;
};

} // namespace lorva
