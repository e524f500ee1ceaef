#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace lorva::test {

// Converts `file` with LibreOffice (`soffice --convert-to format`) into the
// folder `into`, with a profile of the tests' own that starts quickly;
// returns the path of the result, or empty when none was made.
QString officeConvert(const QString &file, const QString &format, const QString &into);

// What a command prints, run to its end.
QString commandOutput(const QString &program, const QStringList &arguments);

// Office processes working in `area` (their profile is there).
int officeProcesses(const QString &area);

// The process below this one named `name` (as /proc/<pid>/comm has it:
// "soffice.bin", "lorvaspeak-offi"); 0 when there is none.
pid_t descendant(const QString &name);

// The office pipes in /tmp that nobody listens on any more.
QStringList deadOfficePipes();

} // namespace lorva::test
