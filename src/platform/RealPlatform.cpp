#include "config/LegacyText.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/EngineDownloads.h"
#include "platform/OfficeBridge.h"
#include "platform/Platform.h"
#include "platform/AudioFile.h"
#include "platform/Renderer.h"
#include "platform/Shell.h"
#include "platform/SpeechEngine.h"
#include "platform/WebEngineView.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>
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

// Qt's own dialogs, over the window they belong to.
class WidgetDialogs : public Dialogs
{
public:
    explicit WidgetDialogs(QWidget *window) : m_window(window) {}

    void failure(const QString &message, int closeAfterMs) override
    {
        QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), message, QMessageBox::Ok,
                        m_window);
        if (closeAfterMs > 0)
            QTimer::singleShot(closeAfterMs, &box, &QMessageBox::accept);
        box.exec();
    }

    void information(const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, m_window);
        box.exec();
    }

    bool question(const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                        QMessageBox::Yes | QMessageBox::No, m_window);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    std::optional<QString> input(const QString &title, const QString &prompt, const QString &value) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(m_window, title, prompt, QLineEdit::Normal, value, &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    }

    std::optional<QString> saveFileName(const QString &title, const QString &suggested, const QString &filter) override
    {
        // "Description (*.ext)|*.ext" as Qt writes a filter: "Description (*.ext)".
        const QString description = filter.section(u'|', 0, 0);
        const QString pattern = filter.section(u'|', 1, 1);
        const QString qtFilter = description.contains(u'(') || pattern.isEmpty()
                                     ? description
                                     : description + QStringLiteral(" (") + pattern + u')';
        // A bare name opens where the last document went, or in Documents.
        static QString lastFolder;
        QString start = suggested;
        if (!suggested.contains(u'/')) {
            QString folder = lastFolder;
            if (folder.isEmpty() || !QFileInfo(folder).isDir())
                folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (!QFileInfo(folder).isDir())
                folder = QDir::homePath();
            start = folder + u'/' + suggested;
        }
        const std::optional<QString> name = askName(title, start, qtFilter, QFileDialog::DontConfirmOverwrite);
        if (name)
            lastFolder = QFileInfo(*name).absolutePath();
        return name;
    }

    std::optional<QString> saveFileNameAsking(const QString &title, const QString &suggested) override
    {
        return askName(title, suggested, QString(), {});
    }

private:
    std::optional<QString> askName(const QString &title, const QString &start, const QString &filter,
                                   QFileDialog::Options options)
    {
        const QString name = QFileDialog::getSaveFileName(m_window, title, start, filter, nullptr, options);
        return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
    }

    QWidget *m_window;
};

class DesktopClipboard : public Clipboard
{
public:
    QString text() override { return QGuiApplication::clipboard()->text(); }
    ClipboardContent content() override { return readClipboard(); }
    void setContent(const ClipboardContent &content) override { writeClipboard(content); }
};

class DesktopPointer : public Pointer
{
public:
    int buttons() override { return globalMouseButtons(); }
    bool leftButtonDownOrPressed() override { return lorva::leftButtonDownOrPressed(); }
    void forgetLeftPress() override { lorva::forgetLeftPress(); }
    QPoint position() override { return globalCursorPos(); }
};

class EventLoopWaits : public Waits
{
public:
    void wait(int milliseconds) override { pumpWait(milliseconds); }
    void processEvents() override { QCoreApplication::processEvents(); }
    bool waitFor(const std::function<bool()> &done, int timeoutMs) override { return pumpUntil(done, timeoutMs); }
};

class RealDesktopShell : public DesktopShell
{
public:
    void open(const QString &target) override { openWithDesktop(target); }
    bool openSettings(SettingsPanel panel) override { return openDesktopSettings(int(panel)); }
};

// The real ports, and the start page served for as long as they live.
class RealPlatform : public Platform
{
public:
    explicit RealPlatform(const QString &programFolder)
        : m_handler(new StartPageHandler(programFolder, QCoreApplication::instance()))
    {
        createBrowserView = [](QWidget *parent) { return std::make_unique<WebEngineView>(parent); };
        createSpeech = [] { return createEspeakSpeech(createDesktopAudio()); };
        createDialogs = [](QWidget *window) { return std::make_unique<WidgetDialogs>(window); };
        openAudioFile = &lorva::openAudioFile;
        grabScreen = [](QPoint at) {
            QScreen *screen = QGuiApplication::screenAt(at);
            if (!screen)
                screen = QGuiApplication::primaryScreen();
            return screen ? screen->grabWindow(0).toImage() : QImage();
        };
        clipboard = std::make_unique<DesktopClipboard>();
        pointer = std::make_unique<DesktopPointer>();
        waits = std::make_unique<EventLoopWaits>();
        desktop = std::make_unique<RealDesktopShell>();
        office = createOfficeBridge(QCoreApplication::applicationDirPath() + QStringLiteral("/lorvaspeak-office"));
        startSpeechEarly();
        watchLeftButton();
        QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
        profile->removeUrlScheme(kScheme);
        profile->installUrlSchemeHandler(kScheme, m_handler);
        downloads = createEngineDownloads(profile);
    }

    ~RealPlatform() override
    {
        QWebEngineProfile::defaultProfile()->removeUrlSchemeHandler(m_handler);
        delete m_handler;
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

    // Where the CPU would draw OpenGL anyway, the pages are drawn faster and
    // in less memory by Qt Quick's software renderer; a GPU keeps OpenGL.
    // A renderer the user chose stays.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND") &&
        openGLIsSoftware())
        qputenv("QT_QUICK_BACKEND", "software");
    else
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    // Caret browsing: the arrow keys move a caret through the text of any
    // page and Shift with them selects, so that text can be chosen for
    // speaking without the mouse (F7 puts the caret in).
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--blink-settings")) {
        flags += flags.isEmpty() ? "" : " ";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + "--blink-settings=caretBrowsingEnabled=true");
    }

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
