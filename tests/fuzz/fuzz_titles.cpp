// Feeds arbitrary bytes to the reader of the link-group title file, then
// checks that saving what was read and reading it again gives the same
// titles and counts.
#include "linktables/LinkFiles.h"

#include "FuzzFile.h"


#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString &folder = lorva::fuzz::folder("Links");
    lorva::fuzz::writeInput(folder + "/Links/Links.Bok", data, size);
    lorva::LinkGroups first;
    lorva::Read_Links(folder, first, QStringLiteral(" Group"));
    lorva::writeTitleFile(folder, first);
    lorva::LinkGroups second;
    lorva::Read_Links(folder, second, QStringLiteral(" Group"));
    for (int i = 1; i <= lorva::kTitleFileLines; ++i) {
        const auto &a = first.GroupTitles[size_t(i)];
        const auto &b = second.GroupTitles[size_t(i)];
        if (lorva::linkCountOf(a) != lorva::linkCountOf(b) || lorva::groupTitleText(a.title).trimmed() != b.title.trimmed())
            std::abort();
    }
    return 0;
}
