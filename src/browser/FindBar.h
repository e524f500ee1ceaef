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
    using Finder = std::function<void(const QString &text, bool backward)>;

    explicit FindBar(QWidget *parent = nullptr);

    void setFinder(Finder finder) { m_finder = std::move(finder); }
    void setTexts(const QString &label, const QString &previous, const QString &next, const QString &close);
    // Opens the bar with the keyboard in its box.
    void open();
    void close();
    // Shows whether the text was found.
    void setFound(bool found);
    QLineEdit *box() const { return m_box; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(bool backward);

    QLabel *m_label;
    QLineEdit *m_box;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_close;
    Finder m_finder;
};

} // namespace lorva
