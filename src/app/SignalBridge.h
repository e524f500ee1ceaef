#pragma once

#include <QObject>

class QSocketNotifier;

namespace lorva {

// Turns SIGTERM and SIGINT into a Qt signal on the user-interface thread, so
// that a killed program still shuts down in order.
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

} // namespace lorva
