#pragma once

#include <QObject>

class QSocketNotifier;

namespace lorva {

// Turns SIGTERM, SIGINT and SIGHUP (the terminal closed) into a Qt signal
// on the user-interface thread, so that a killed program still shuts down in
// order. A second one while that shutdown is under way ends the program at
// once: a shutdown that hangs can always be ended without SIGKILL.
class SignalBridge : public QObject
{
    Q_OBJECT

public:
    explicit SignalBridge(QObject *parent = nullptr);
    ~SignalBridge() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};

// A crash (a bad memory access, an abort, ...) writes one line naming it to
// standard error before the program ends as the signal would end it. The
// files it keeps are written whole or not at all, so the next start needs
// to say nothing about it.
void installCrashTrace();

} // namespace lorva
