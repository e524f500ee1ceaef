#pragma once

#include <QString>

// Where the program keeps its files. Run from the build tree or from a copied
// folder, that is the folder of the executable. Installed under a prefix the
// user cannot write, it is a folder of the user's own, filled from the
// installed one on the first start and kept up to date with later installs
// without ever replacing a file the user changed.
namespace lorva {

// `$XDG_DATA_HOME/lorvaspeak`, usually `~/.local/share/lorvaspeak`.
QString userProgramFolder();

// The folders below a program folder that an installation ships.
inline constexpr const char *kShippedFolders[] = {"Data", "Languages", "Links", "Images"};

// What one pass over the shipped files did.
struct SeedReport
{
    int copied = 0;  // missing in the user's folder, copied there
    int updated = 0; // unchanged by the user and newer as shipped: replaced
    int kept = 0;    // changed by the user: left as the user has it
};

// Copies the shipped files of `shipped` that `user` lacks, and replaces a
// user's copy by a newer shipped one only while the user has not changed
// it. What was copied is remembered in a list in `user`. Throws AppError when
// a folder or a missing file cannot be made; a replacement that fails leaves
// the user's copy and is reported on standard error.
SeedReport seedProgramFolder(const QString &shipped, const QString &user);

// The program folder for an executable in `executableFolder`: that folder
// when it can be written and is not an installation (marked by a file
// ".installed"), otherwise `userFolder`, seeded from it.
QString chooseProgramFolder(const QString &executableFolder, const QString &userFolder);

} // namespace lorva
