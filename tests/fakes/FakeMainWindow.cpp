#include "fakes/FakeMainWindow.h"

namespace lorva::test {

void FakeTabs::setTabCount(int count)
{
    m_count = count;
    calls << QStringLiteral("setTabCount %1").arg(count);
}

void FakeTabs::createView(int index)
{
    views.insert(index);
    calls << QStringLiteral("createView %1").arg(index);
}

void FakeTabs::setTabCaption(int index, const QString &caption) { captions[index] = caption; }

void FakeMainWindow::setAddressText(const QString &text)
{
    addressText = text;
    calls << QStringLiteral("address ") + text;
}

void FakeMainWindow::setCurrentTab(int index)
{
    current = index;
    calls << QStringLiteral("currentTab %1").arg(index);
}

void FakeMainWindow::navigateView(int index, const QString &address)
{
    calls << QStringLiteral("navigate %1 ").arg(index) + address;
}

void FakeMainWindow::showView(int index) { calls << QStringLiteral("show %1").arg(index); }

void FakeMainWindow::stopView(int index) { calls << QStringLiteral("stop %1").arg(index); }

void FakeMainWindow::setTimerInterval(MainTimer timer, int milliseconds)
{
    timers[timer].interval = milliseconds;
}

void FakeMainWindow::setTimerEnabled(MainTimer timer, bool enabled) { timers[timer].enabled = enabled; }

void FakeMainWindow::moveWindowTwips(int left, int top, int width, int height)
{
    calls << QStringLiteral("move %1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height);
}

void FakeMainWindow::hideWindow() { calls << QStringLiteral("hide"); }

void FakeMainWindow::unloadOtherWindows() { calls << QStringLiteral("unloadOthers"); }

void FakeMainWindow::unloadWindow() { calls << QStringLiteral("unload"); }

void FakeMainWindow::showFailure(const QString &message)
{
    failures << message;
    calls << QStringLiteral("failure");
}

} // namespace lorva::test
