// Feeds arbitrary bytes to the history reader through a real file, then
// checks that saving what was read and reading it again gives the entries
// that a save keeps: the newest 30, without empty ones, each unchanged.
#include "addresses/History.h"

#include "FuzzFile.h"

#include <QStringList>

#include <cstdlib>

namespace {

class List : public lorva::AddressList
{
public:
    int count() const override { return int(items.size()); }
    QString item(int index) const override { return items.at(index); }
    void append(const QString &text) override { items << text; }
    QString text() const override { return {}; }
    QStringList items;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString &folder = lorva::fuzz::folder("Data");
    lorva::fuzz::writeInput(folder + "/Data/lorvaspeak.Hys", data, size);

    List first;
    lorva::Hyst_Read(folder, first);
    QStringList kept;
    for (qsizetype i = qMax<qsizetype>(0, first.items.size() - lorva::kHistoryKept); i < first.items.size(); ++i)
        if (!first.items[i].isEmpty())
            kept << first.items[i];

    lorva::Hyst_Save(folder, first);
    List second;
    lorva::Hyst_Read(folder, second);
    if (second.items != kept)
        std::abort();
    return 0;
}
