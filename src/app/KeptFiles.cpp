#include "app/KeptFiles.h"

#include "config/AppError.h"
#include "config/LegacyText.h"

namespace lorva {

void KeptFiles::keep(const QString &path, const QString &source, Lines lines)
{
    QStringList now = lines();
    m_files.push_back({path, source, std::move(lines), std::move(now)});
}

QStringList KeptFiles::saveChanged()
{
    QStringList failures;
    for (File &file : m_files) {
        QStringList now = file.lines();
        if (now == file.written)
            continue;
        // Counted as written either way: a file that cannot be written is
        // reported once, not on every check, and the exit tries it again.
        file.written = now;
        try {
            legacy::writeTextLines(file.path, now, file.source);
        } catch (const AppError &error) {
            failures << error.message();
        }
    }
    return failures;
}

} // namespace lorva
