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

void FakeMainWindow::setTabCaption(int index, const QString &caption) { tabs.setTabCaption(index, caption); }

QString FakeMainWindow::tabCaption(int index) const
{
    const auto it = tabs.captions.find(index);
    return it == tabs.captions.end() ? QString() : it->second;
}

void FakeMainWindow::setCurrentTab(int index)
{
    current = index;
    calls << QStringLiteral("currentTab %1").arg(index);
}

void FakeMainWindow::navigateView(int index, const QString &address)
{
    views[index].location = address;
    calls << QStringLiteral("navigate %1 ").arg(index) + address;
}

void FakeMainWindow::showView(int index)
{
    views[index].visible = true;
    calls << QStringLiteral("show %1").arg(index);
}

void FakeMainWindow::setViewVisible(int index, bool visible) { views[index].visible = visible; }

void FakeMainWindow::stopView(int index) { calls << QStringLiteral("stop %1").arg(index); }

void FakeMainWindow::refreshView(int index) { calls << QStringLiteral("refresh %1").arg(index); }

void FakeMainWindow::focusView(int index) { calls << QStringLiteral("focus %1").arg(index); }

bool FakeMainWindow::viewBusy(int index) const
{
    const auto it = views.find(index);
    return it != views.end() && it->second.busy;
}

QString FakeMainWindow::viewLocationURL(int index) const
{
    const auto it = views.find(index);
    return it == views.end() ? QString() : it->second.location;
}

QString FakeMainWindow::viewReadyState(int index) { return views[index].readyState; }

void FakeMainWindow::setAddressText(const QString &text)
{
    list.boxText = text;
    calls << QStringLiteral("address ") + text;
}

int FakeMainWindow::timerInterval(MainTimer timer) const
{
    const auto it = timers.find(timer);
    return it == timers.end() ? 0 : it->second.interval;
}

void FakeMainWindow::moveWindowTwips(int left, int top, int width, int height)
{
    rect = {left, top, width, height};
    calls << QStringLiteral("move %1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height);
}

void FakeMainWindow::applyLayout(const MainLayout &layout)
{
    applied = layout;
    ++layoutsApplied;
}

void FakeMainWindow::wait(int milliseconds)
{
    waitedMs += milliseconds;
    if (onWait)
        onWait();
}

void FakeMainWindow::showFailure(const QString &message)
{
    failures << message;
    calls << QStringLiteral("failure");
}

} // namespace lorva::test
