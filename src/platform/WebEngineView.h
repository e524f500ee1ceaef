#pragma once

#include "platform/BrowserView.h"

#include <QWebEnginePage>

class QWebEngineView;

namespace lorva {

class LorvaPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;
    bool silent = false;

protected:
    void javaScriptAlert(const QUrl &origin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
};

class WebEngineView : public BrowserView
{
    Q_OBJECT

public:
    explicit WebEngineView(QWidget *parent);
    ~WebEngineView() override;

    QWidget *widget() override;
    void Navigate(const QString &address) override;
    void Stop() override;
    QString LocationURL() const override;
    QString LocationName() const override;
    void setSilent(bool silent) override;

private:
    QWebEngineView *m_view;
    LorvaPage *m_page;
};

} // namespace lorva
