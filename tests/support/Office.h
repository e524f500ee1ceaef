#pragma once

#include <QString>

namespace lorva::test {

// Converts `file` with LibreOffice (`soffice --convert-to format`) into the
// folder `into`, with a profile of the tests' own that starts quickly;
// returns the path of the result, or empty when none was made.
QString officeConvert(const QString &file, const QString &format, const QString &into);

// What a command prints, run to its end.
QString commandOutput(const QString &program, const QStringList &arguments);

// Office processes of the program's (their profile is the program's own).
int officeProcesses();

} // namespace lorva::test
