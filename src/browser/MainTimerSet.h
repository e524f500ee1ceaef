#pragma once

#include "browser/MainWindowPorts.h"

#include <QTimer>

namespace lorva {

// The main window's timers, each a QTimer of the window named after it.
class MainTimerSet final : public MainTimers
{
public:
    explicit MainTimerSet(QObject *window)
    {
        const char *names[] = {"Timer1", "Timer4", "Timer5", "Timer6"};
        for (int i = 0; i < 4; ++i) {
            m_timers[i] = new QTimer(window);
            m_timers[i]->setObjectName(QLatin1String(names[i]));
        }
    }

    QTimer *timer(MainTimer which) const { return m_timers[int(which)]; }

    void setTimerInterval(MainTimer which, int milliseconds) override { timer(which)->setInterval(milliseconds); }
    int timerInterval(MainTimer which) const override { return timer(which)->interval(); }
    void setTimerEnabled(MainTimer which, bool enabled) override
    {
        if (enabled)
            timer(which)->start();
        else
            timer(which)->stop();
    }

private:
    QTimer *m_timers[4];
};

} // namespace lorva
