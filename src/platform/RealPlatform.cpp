#include "config/LegacyText.h"
#include "platform/Platform.h"
#include "platform/Speech.h"
#include "platform/WebEngineView.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <unistd.h>

namespace lorva {

namespace {

const QByteArray kScheme = QByteArrayLiteral("lorvaspeak");

// Serves lorvaspeak://start/ from the program folder, so the first page
// needs no network and moves with the program.
class StartPageHandler : public QWebEngineUrlSchemeHandler
{
public:
    StartPageHandler(QString programFolder, QObject *parent)
        : QWebEngineUrlSchemeHandler(parent), m_programFolder(std::move(programFolder))
    {
    }

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        if (job->requestUrl().host() != QLatin1String("start")) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        QFile file(legacy::resolvePath(m_programFolder, QStringLiteral("Data/Start.html")));
        if (!file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto *buffer = new QBuffer(job);
        buffer->setData(file.readAll());
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html;charset=utf-8"), buffer);
    }

private:
    QString m_programFolder;
};

class RealPlatform : public Platform
{
public:
    explicit RealPlatform(const QString &programFolder)
        : m_handler(new StartPageHandler(programFolder, QCoreApplication::instance()))
    {
        QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
        profile->removeUrlScheme(kScheme);
        profile->installUrlSchemeHandler(kScheme, m_handler);
    }

    ~RealPlatform() override
    {
        QWebEngineProfile::defaultProfile()->removeUrlSchemeHandler(m_handler);
        delete m_handler;
    }

    std::unique_ptr<BrowserView> createBrowserView(QWidget *parent) override
    {
        return std::make_unique<WebEngineView>(parent);
    }

    std::unique_ptr<SpeechEngine> createSpeech() override { return createEspeakSpeech(createDesktopAudio()); }

    void showFailure(QWidget *parent, const QString &message, int closeAfterMs) override
    {
        QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), message,
                        QMessageBox::Ok, parent);
        if (closeAfterMs > 0)
            QTimer::singleShot(closeAfterMs, &box, &QMessageBox::accept);
        box.exec();
    }

private:
    StartPageHandler *m_handler;
};

} // namespace

void preparePlatform()
{
    // The browser engine refuses to run as root with its sandbox on.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

std::unique_ptr<Platform> createRealPlatform(const QString &programFolder)
{
    return std::make_unique<RealPlatform>(programFolder);
}

} // namespace lorva
