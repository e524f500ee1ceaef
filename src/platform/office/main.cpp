// lorvaspeak-office: drives one private LibreOffice for one export.
//
// The program starts this helper when an export begins. It starts the office
// at once and says {"event":"ready"} (or {"event":"failed","error":...}) on
// standard output; then it reads one job line from standard input, does the
// work, answers {"event":"done","ok":...}, and ends the office. An end of
// input before a job (the user cancelled), SIGTERM, or the program's end
// ends the office too; the office dies with this helper in any case.
#include "platform/office/OfficeProcess.h"
#include "platform/office/OfficeWork.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

using namespace lorva::office;

namespace {

volatile pid_t g_office = -1;

void onSignal(int)
{
    // Nothing but what is safe in a signal handler: the office's group goes,
    // and so does a half-written document.
    if (g_office > 0) {
        kill(-g_office, SIGKILL);
        kill(g_office, SIGKILL);
    }
    if (const char *writing = OfficeWork::writing(); writing && writing[0])
        unlink(writing);
    _exit(143);
}

void say(const QJsonObject &message)
{
    const QByteArray line = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

bool officeAlive(void *process) { return static_cast<OfficeProcess *>(process)->running(); }

} // namespace

int main()
{
    // This helper goes with the program that started it.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
    if (getppid() == 1)
        return 1;
    // Without this, the first call to the office crashes.
    setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc", 1);

    OfficeProcess process;
    OfficeWork work;
    std::string error;
    bool ready = process.start(error);
    g_office = process.pid();
    if (ready)
        ready = work.connect(process.connectUrl(), 30000, officeAlive, &process, error);
    if (ready)
        say({{"event", "ready"}, {"office", int(process.pid())}});
    else
        say({{"event", "failed"}, {"error", QString::fromStdString(error)}});

    std::string line;
    if (ready && std::getline(std::cin, line)) {
        const QJsonObject request = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        Job job;
        job.kind = request.value("kind").toString().toStdString();
        job.source = request.value("source").toString().toStdString();
        job.templatePath = request.value("template").toString().toStdString();
        job.landscape = request.value("landscape").toBool();
        job.target = request.value("target").toString().toStdString();
        job.intermediate = request.value("intermediate").toString().toStdString();
        job.title = request.value("title").toString().toStdString();
        const Result result = work.run(job);
        QJsonObject answer{{"event", "done"}, {"ok", result.ok}, {"slides", result.slides}};
        if (!result.ok)
            answer.insert("error", QString::fromStdString(result.error));
        say(answer);
    }
    if (ready)
        work.terminate();
    process.stop(5000);
    g_office = -1;
    return 0;
}
