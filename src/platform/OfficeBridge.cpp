#include "platform/OfficeBridge.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>

namespace lorva {

namespace {

// Removes what a killed office may have left half-written beside `target`:
// the helper writes a document as ".~lorva-<n>-<name>" and renames it over.
void removeLeftovers(const QString &target)
{
    if (target.isEmpty())
        return;
    const QFileInfo info(target);
    QDir folder = info.absoluteDir();
    for (const QString &name : folder.entryList({QStringLiteral(".~lorva-*-") + info.fileName()},
                                                QDir::Files | QDir::Hidden))
        folder.remove(name);
}

const char *kindName(OfficeJob::Kind kind)
{
    switch (kind) {
    case OfficeJob::Kind::Word:
        return "word";
    case OfficeJob::Kind::Pdf:
        return "pdf";
    case OfficeJob::Kind::Excel:
        return "excel";
    case OfficeJob::Kind::Slide:
        return "slide";
    }
    return "";
}

class OfficeBridge : public OfficeSuite
{
public:
    explicit OfficeBridge(QString helper) : m_helper(std::move(helper)) {}

    ~OfficeBridge() override
    {
        // The helper goes; its office goes with it (it dies with its helper).
        for (QProcess *process : {m_process, m_ending}) {
            if (process) {
                process->disconnect();
                process->kill();
                process->waitForFinished(3000);
                delete process;
            }
        }
    }

    bool available() override
    {
        return QFileInfo(m_helper).isExecutable() &&
               (QFileInfo::exists(QStringLiteral("/usr/lib/libreoffice/program/soffice.bin")) ||
                QFileInfo::exists(QStringLiteral("/opt/libreoffice/program/soffice.bin")));
    }

    void prepare() override
    {
        if (m_process)
            return;
        m_earlyFailure.clear();
        m_failure.clear();
        m_buffer.clear();
        m_process = new QProcess;
        QProcess *process = m_process;
        process->setProgram(m_helper);
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->setStandardErrorFile(QProcess::nullDevice());
        // The helper ends with this program, whatever ends it.
        process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        QObject::connect(process, &QProcess::readyReadStandardOutput, process, [this, process] { read(process); });
        QObject::connect(process, &QProcess::finished, process, [this, process](int, QProcess::ExitStatus) {
            ended(process);
        });
        process->start();
        if (!process->waitForStarted(5000)) {
            m_failure = QStringLiteral("cannot start ") + m_helper;
            QTimer::singleShot(0, process, [this, process] { ended(process); });
        }
    }

    void run(const OfficeJob &job, Done done) override
    {
        // The office prepared for this work failed before the work came.
        if (!m_process && !m_earlyFailure.isEmpty()) {
            OfficeResult result;
            result.error = std::exchange(m_earlyFailure, QString());
            QTimer::singleShot(0, [done = std::move(done), result] { done(result); });
            return;
        }
        prepare();
        m_job = job;
        m_done = std::move(done);
        const QJsonObject request{{"kind", QLatin1String(kindName(job.kind))}, {"source", job.source},
                                  {"template", job.templatePath}, {"landscape", job.landscape},
                                  {"target", job.target}, {"intermediate", job.intermediate},
                                  {"title", job.title}};
        m_process->write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
        m_process->closeWriteChannel();
    }

    void cancel() override
    {
        if (!m_process)
            return;
        // The end of its input tells the helper that no work comes; it ends
        // its office and itself. Nothing waits for that here.
        QProcess *process = std::exchange(m_process, nullptr);
        retire(process);
        process->closeWriteChannel();
        QTimer::singleShot(10000, process, [process] { process->kill(); });
    }

private:
    void retire(QProcess *process)
    {
        if (m_ending) {
            m_ending->disconnect();
            m_ending->kill();
            m_ending->waitForFinished(1000);
            delete m_ending;
        }
        m_ending = process;
    }

    void read(QProcess *process)
    {
        m_buffer += process->readAllStandardOutput();
        for (qsizetype end; (end = m_buffer.indexOf('\n')) >= 0;) {
            const QJsonObject message = QJsonDocument::fromJson(m_buffer.left(end)).object();
            m_buffer.remove(0, end + 1);
            if (process != m_process)
                continue;
            const QString event = message.value(QStringLiteral("event")).toString();
            if (event == u"failed") {
                m_failure = message.value(QStringLiteral("error")).toString();
            } else if (event == u"done") {
                // This helper's work is over; it ends its office on its own
                // while the next export starts a helper of its own.
                retire(std::exchange(m_process, nullptr));
                OfficeResult result;
                result.ok = message.value(QStringLiteral("ok")).toBool();
                result.error = message.value(QStringLiteral("error")).toString();
                result.slides = message.value(QStringLiteral("slides")).toInt();
                deliver(result);
            }
        }
    }

    void ended(QProcess *process)
    {
        if (process == m_ending) {
            m_ending = nullptr;
            process->deleteLater();
            return;
        }
        if (process != m_process)
            return;
        m_process = nullptr;
        process->deleteLater();
        if (m_done) {
            // No answer: the helper failed, or was killed in the middle of
            // the work. Nothing half-written stays beside the documents.
            removeLeftovers(m_job.target);
            removeLeftovers(m_job.intermediate);
            OfficeResult result;
            result.error = !m_failure.isEmpty() ? m_failure : QStringLiteral("the office ended in the middle of the work");
            deliver(result);
        } else {
            m_earlyFailure = !m_failure.isEmpty() ? m_failure : QStringLiteral("the office ended before the work came");
        }
    }

    void deliver(const OfficeResult &result)
    {
        if (Done done = std::exchange(m_done, nullptr))
            done(result);
    }

    QString m_helper;
    QProcess *m_process = nullptr; // the helper of the work to come
    QProcess *m_ending = nullptr;  // a helper ending after a cancel
    QString m_failure;
    QString m_earlyFailure;
    QByteArray m_buffer;
    OfficeJob m_job;
    Done m_done;
};

} // namespace

std::unique_ptr<OfficeSuite> createOfficeBridge(const QString &helper)
{
    return std::make_unique<OfficeBridge>(helper);
}

} // namespace lorva
