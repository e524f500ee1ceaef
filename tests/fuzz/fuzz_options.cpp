// Feeds arbitrary bytes to the options reader through a real file, then
// checks that what Save_Opt writes reads back to the same values.
#include "config/Options.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    static const bool made = QDir(folder.path()).mkpath("Data");
    if (!made)
        std::abort();
    const QString path = folder.path() + "/Data/lorvaspeak.Opt";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    lorva::Options first;
    lorva::Read_Opt(folder.path(), first);
    lorva::Save_Opt(folder.path(), first);
    lorva::Options second;
    lorva::Read_Opt(folder.path(), second);

    if (first.BarStyle != second.BarStyle || first.line2 != second.line2 ||
        first.FloatingBars != second.FloatingBars || first.line4 != second.line4 ||
        first.HomePage != second.HomePage || first.LanguageName != second.LanguageName)
        std::abort();
    return 0;
}
