#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace lorva {

void openWithDesktop(const QString &target)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return;
    QUrl url;
    if (QFileInfo::exists(text))
        url = QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
    else
        url = QUrl::fromUserInput(text);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

bool openDesktopSettings(int panel)
{
    struct Candidate
    {
        const char *program;
        QStringList arguments;
    };
    static const std::vector<Candidate> kPanels[3] = {
        {{"gnome-control-center", {"privacy"}}, {"systemsettings", {"kcm_privacy"}}, {"xfce4-settings-manager", {}}},
        {{"pavucontrol", {}}, {"gnome-control-center", {"sound"}}, {"systemsettings", {"kcm_pulseaudio"}},
         {"pavucontrol-qt", {}}},
        {{"nm-connection-editor", {}}, {"gnome-control-center", {"network"}}, {"systemsettings", {"kcm_networkmanagement"}}},
    };
    if (panel < 0 || panel > 2)
        return false;
    for (const Candidate &c : kPanels[panel]) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(c.program));
        if (!program.isEmpty())
            return QProcess::startDetached(program, c.arguments);
    }
    return false;
}

} // namespace lorva
