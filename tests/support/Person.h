#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace lorva::test {

// A person at the keyboard and the mouse. Everything goes through the X
// server with xdotool: clicks land on whatever is under the pointer, keys
// on whatever has the focus, exactly as a real keyboard's and mouse's would,
// while the test's event loop keeps running.
class Person
{
public:
    // The middle of `widget` on the screen, or a point of it.
    static QPoint at(const QWidget *widget);
    static QPoint at(const QWidget *widget, QPoint inside);

    void moveTo(QPoint global);
    void click(QPoint global, int button = 1);
    void press(int button = 1);
    void release(int button = 1);
    // A drag with the left button in `steps` moves `stepMs` apart.
    void drag(QPoint from, QPoint to, int steps = 8, int stepMs = 30);
    // Types `text` into whatever has the keyboard focus.
    void type(const QString &text);
    // Presses keys by their X names: "Return", "ctrl+a", "F10", "Down Down".
    void key(const QString &keys);

    // Runs `steps` on a thread of their own while this thread keeps the
    // program's events going, for as long as they take: for what opens a
    // menu or a dialog, whose event loop would otherwise hold the test up.
    // Inside, the person's actions work as everywhere, and onMain() looks at
    // the program.
    void aside(const std::function<void()> &steps);
    // Runs `look` on the program's thread (from inside aside()).
    static void onMain(const std::function<void()> &look);
    // Waits (inside aside()) until `done`, asked on the program's thread.
    static bool waitFor(const std::function<bool()> &done, int timeoutMs = 3000);

    // Runs xdotool with `args`, letting events run until it has finished.
    static int xdotool(const QStringList &args);

private:
    static void pause(int ms);
};

} // namespace lorva::test
