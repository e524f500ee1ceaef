#pragma once

#include "platform/WindowFrame.h"

#include <QStringList>

namespace lorva::test {

// A window's place on a 1920 by 1080 screen as a plain rectangle, with
// every move written to `log`.
class FakeWindowFrame : public WindowFrame
{
public:
    explicit FakeWindowFrame(QStringList *log) : m_log(log) {}

    int screenWidthTwips() const override { return 1920 * 15; }
    int screenHeightTwips() const override { return 1080 * 15; }
    int innerWidthTwips() const override { return rect.width; }
    int innerHeightTwips() const override { return rect.height; }
    TwipsRect windowRectTwips() const override { return rect; }
    void moveWindowTwips(const TwipsRect &place) override
    {
        rect = place;
        *m_log << QStringLiteral("move %1 %2 %3 %4").arg(place.left).arg(place.top).arg(place.width).arg(place.height);
    }
    bool minimized() const override { return isMinimized; }

    TwipsRect rect{0, 0, 14160, 5925};
    bool isMinimized = false;

private:
    QStringList *m_log;
};

} // namespace lorva::test
