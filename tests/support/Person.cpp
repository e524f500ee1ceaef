#include "support/Person.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <thread>

namespace lorva::test {

QPoint Person::at(const QWidget *widget) { return widget->mapToGlobal(widget->rect().center()); }

QPoint Person::at(const QWidget *widget, QPoint inside) { return widget->mapToGlobal(inside); }

namespace {

bool onProgramThread() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }

} // namespace

int Person::xdotool(const QStringList &args)
{
    if (!onProgramThread())
        return QProcess::execute(QStringLiteral("xdotool"), args);
    QProcess process;
    process.start(QStringLiteral("xdotool"), args);
    if (!process.waitForStarted(5000))
        return -1;
    // The program under test lives in this process: keep its events going.
    while (process.state() != QProcess::NotRunning)
        QTest::qWait(5);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void Person::pause(int ms)
{
    if (onProgramThread())
        QTest::qWait(ms);
    else
        QThread::msleep(ulong(ms));
}

void Person::aside(const std::function<void()> &steps)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        steps();
        done = true;
    });
    while (!done)
        QTest::qWait(10);
    worker.join();
}

void Person::onMain(const std::function<void()> &look)
{
    if (onProgramThread())
        look();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), look, Qt::BlockingQueuedConnection);
}

bool Person::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        bool yes = false;
        onMain([&] { yes = done(); });
        if (yes)
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        pause(20);
    }
}

void Person::moveTo(QPoint global)
{
    xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
    pause(30);
}

void Person::click(QPoint global, int button)
{
    moveTo(global);
    xdotool({"click", QString::number(button)});
    pause(50);
}

void Person::press(int button) { xdotool({"mousedown", QString::number(button)}); }

void Person::release(int button) { xdotool({"mouseup", QString::number(button)}); }

void Person::drag(QPoint from, QPoint to, int steps, int stepMs)
{
    moveTo(from);
    pause(70);
    press();
    for (int step = 1; step <= steps; ++step) {
        xdotool({"mousemove", QString::number(from.x() + (to.x() - from.x()) * step / steps),
                 QString::number(from.y() + (to.y() - from.y()) * step / steps)});
        pause(stepMs);
    }
    release();
}

void Person::type(const QString &text)
{
    xdotool({"type", "--delay", "12", text});
    pause(30);
}

void Person::key(const QString &keys)
{
    xdotool(QStringList{"key", "--delay", "40"} + keys.split(u' ', Qt::SkipEmptyParts));
    pause(50);
}

} // namespace lorva::test
