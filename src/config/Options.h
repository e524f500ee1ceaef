#pragma once

#include <QString>
#include <QStringList>

namespace lorva {

// The address opened when the options file names none: the program's own
// start page, shipped in the program folder, so that a first start shows a
// real page even without a network.
inline const QString kDefaultHomePage = QStringLiteral("lorvaspeak://start/");

inline const QString kOptionsFile = QStringLiteral("Data/lorvaspeak.Opt");

// The user's choices kept in the options file, one per line.
struct Options
{
    qint16 BarStyle = 1;
    qint16 line2 = 0; // kept and written back; nothing uses it
    qint16 FloatingBars = 0;
    qint16 line4 = 0; // kept and written back; nothing uses it
    QString HomePage;
    QString LanguageName = QStringLiteral("English");

    // Set by Read_Opt when it had to create the file in this run.
    bool createdDefaultFile = false;
};

// Reads the options file below `programFolder`, creating it with the
// defaults when it does not exist. Throws AppError when it exists but
// cannot be read, or cannot be created.
void Read_Opt(const QString &programFolder, Options &options);

// The six lines of the options file.
QStringList optionsLines(const Options &options);

// Rewrites the whole options file. Throws AppError when it cannot.
void Save_Opt(const QString &programFolder, const Options &options);

} // namespace lorva
