#include "platform/OfficeBridge.h"

#include "platform/office/Protocol.h"
#include "platform/office/TempArea.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <list>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

namespace lorva {

namespace {

// How long a helper that has nothing more to do for the program may take
// to end its office before it is killed.
constexpr int kEndingMs = 30000;

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

// One helper process, for one export, with everything of that export's:
// its private folder, what it said, and the callback of its job. The
// callback goes with the export: once the export has ended (answered,
// cancelled, given up) it is gone, and nothing can call it.
struct Helper
{
    QProcess process;
    QString folder;
    int hold = -1; // keeps `folder` from being taken for stale
    QByteArray buffer;
    QString failure;
    OfficeJob job;
    OfficeSuite::Done done;

    ~Helper()
    {
        process.disconnect();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(3000);
        }
        // The helper is gone; its office went with it.
        office::removeExportFolder(folder.toStdString());
        if (hold >= 0)
            ::close(hold);
    }
};

class OfficeBridge : public OfficeSuite
{
public:
    OfficeBridge(QString helper, QString tempParent) : m_helper(std::move(helper)), m_parent(std::move(tempParent))
    {
        if (m_parent.isEmpty())
            m_parent = QString::fromStdString(office::defaultTempParent());
    }

    ~OfficeBridge() override
    {
        m_current.reset();
        m_ending.clear();
    }

    bool available() override
    {
        return QFileInfo(m_helper).isExecutable() &&
               (QFileInfo::exists(QStringLiteral("/usr/lib/libreoffice/program/soffice.bin")) ||
                QFileInfo::exists(QStringLiteral("/opt/libreoffice/program/soffice.bin")));
    }

    void prepare() override
    {
        if (m_current)
            return;
        m_earlyFailure.clear();
        // What killed exports of earlier runs left behind goes first.
        office::removeStaleExportFolders(m_parent.toStdString());
        m_current = std::make_unique<Helper>();
        Helper *helper = m_current.get();
        std::string error;
        helper->folder = QString::fromStdString(office::createExportFolder(m_parent.toStdString(), helper->hold, error));
        if (helper->folder.isEmpty()) {
            helper->failure = QString::fromStdString(error);
            QTimer::singleShot(0, &helper->process, [this, helper] { ended(helper); });
            return;
        }
        QProcess &process = helper->process;
        process.setProgram(m_helper);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LORVASPEAK_OFFICE_FOLDER"), helper->folder);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.setStandardErrorFile(QProcess::nullDevice());
        // The helper ends with this program, whatever ends it.
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &process, [this, helper] { read(helper); });
        QObject::connect(&process, &QProcess::finished, &process,
                         [this, helper](int, QProcess::ExitStatus) { ended(helper); });
        process.start();
        if (!process.waitForStarted(5000)) {
            helper->failure = QStringLiteral("cannot start ") + m_helper;
            QTimer::singleShot(0, &process, [this, helper] { ended(helper); });
        }
    }

    void run(const OfficeJob &job, Done done) override
    {
        // The office prepared for this work failed before the work came.
        if (!m_current && !m_earlyFailure.isEmpty()) {
            OfficeResult result;
            result.error = std::exchange(m_earlyFailure, QString());
            QTimer::singleShot(0, [done = std::move(done), result] { done(result); });
            return;
        }
        prepare();
        Helper *helper = m_current.get();
        helper->job = job;
        helper->done = std::move(done);
        helper->process.write(office::encodeJob(job));
        helper->process.closeWriteChannel();
    }

    void cancel() override
    {
        if (!m_current)
            return;
        // The export has ended: its callback goes now, whatever the helper
        // still says. Nothing waits for the helper's end here.
        Helper *helper = m_current.get();
        if (std::exchange(helper->done, nullptr)) {
            // Work given up half-way: the helper ends its office at once and
            // removes what it was writing, so that no document appears after
            // the user was told that none was made.
            helper->process.terminate();
        } else {
            // The end of its input tells the helper that no work comes; it
            // ends its office and itself.
            helper->process.closeWriteChannel();
        }
        retire();
    }

private:
    // The current helper has nothing more to do for the program: it ends on
    // its own, and is killed if it does not (an office that hangs).
    void retire()
    {
        Helper *helper = m_current.get();
        m_ending.push_back(std::move(m_current));
        QTimer::singleShot(kEndingMs, &helper->process, [helper] { helper->process.kill(); });
    }

    void read(Helper *helper)
    {
        helper->buffer += helper->process.readAllStandardOutput();
        for (qsizetype end; (end = helper->buffer.indexOf('\n')) >= 0;) {
            const QByteArray line = helper->buffer.left(end);
            helper->buffer.remove(0, end + 1);
            // Whatever a library of the helper's may print is no message.
            if (!line.startsWith('{'))
                continue;
            QString error;
            const std::optional<office::Message> message = office::decodeMessage(line, error);
            if (!message) {
                // A helper that cannot be understood does no work for us:
                // it goes, and its end reports why.
                helper->failure = error;
                helper->process.terminate();
                return;
            }
            if (message->event == office::Message::Event::Failed) {
                helper->failure = message->error;
            } else if (message->event == office::Message::Event::Done && helper == m_current.get()) {
                // This helper's work is over; it ends its office on its own
                // while the next export starts a helper of its own.
                Done done = std::exchange(helper->done, nullptr);
                retire();
                if (done)
                    done(message->result);
                return; // `helper` may be gone once the callback has run
            }
        }
    }

    void ended(Helper *helper)
    {
        if (helper != m_current.get()) {
            for (auto it = m_ending.begin(); it != m_ending.end(); ++it) {
                if (it->get() == helper) {
                    // Not now: this is called from the helper's own signal.
                    it->release();
                    m_ending.erase(it);
                    QTimer::singleShot(0, [helper] { delete helper; });
                    break;
                }
            }
            return;
        }
        Helper *gone = m_current.release();
        QTimer::singleShot(0, [gone] { delete gone; });
        if (Done done = std::exchange(gone->done, nullptr)) {
            // No answer: the helper failed, or was killed in the middle of
            // the work. Nothing half-written stays beside the documents.
            removeLeftovers(gone->job.target);
            removeLeftovers(gone->job.intermediate);
            OfficeResult result;
            result.error = !gone->failure.isEmpty() ? gone->failure
                                                    : QStringLiteral("the office ended in the middle of the work");
            done(result);
        } else {
            m_earlyFailure = !gone->failure.isEmpty() ? gone->failure
                                                      : QStringLiteral("the office ended before the work came");
        }
    }

    QString m_helper;
    QString m_parent;
    std::unique_ptr<Helper> m_current;        // the helper of the work to come
    std::list<std::unique_ptr<Helper>> m_ending; // helpers ending their offices
    QString m_earlyFailure;
};

} // namespace

std::unique_ptr<OfficeSuite> createOfficeBridge(const QString &helper, const QString &tempParent)
{
    return std::make_unique<OfficeBridge>(helper, tempParent);
}

} // namespace lorva
