// Feeds arbitrary bytes to the reader of the window placement file: what it
// reads keeps the main window within its bounds, and a save and a read
// settle on the same values.
#include "config/Placement.h"

#include "FuzzFile.h"


#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool same(const lorva::Placement &a, const lorva::Placement &b)
{
    const auto eq = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    return a.PlaceTop == b.PlaceTop && a.PlaceLeft == b.PlaceLeft && a.PlaceHeight == b.PlaceHeight &&
           a.PlaceWidth == b.PlaceWidth && a.PlaceState == b.PlaceState && eq(a.table.top, b.table.top) &&
           eq(a.table.left, b.table.left) && eq(a.table.height, b.table.height) && eq(a.table.width, b.table.width) &&
           eq(a.editor.top, b.editor.top) && eq(a.editor.left, b.editor.left) &&
           eq(a.editor.height, b.editor.height) && eq(a.editor.width, b.editor.width);
}

lorva::Placement cycle(const QString &folder, const lorva::Placement &p)
{
    lorva::Save_Place(folder, p, p.PlaceTop, p.PlaceLeft, p.PlaceHeight, p.PlaceWidth);
    lorva::Placement next;
    lorva::Read_Place(folder, next, 19200, 12000);
    return next;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString &folder = lorva::fuzz::folder("Data");
    lorva::fuzz::writeInput(folder + "/Data/Lorvaspeak.Ini", data, size);
    lorva::Placement first;
    lorva::Read_Place(folder, first, 19200, 12000);
    if (first.PlaceTop < 0 || first.PlaceLeft < 0 || first.PlaceHeight < 2000 || first.PlaceWidth < 3000)
        std::abort();
    // Printing keeps 15 digits: after one round the values are stable.
    const lorva::Placement second = cycle(folder, first);
    const lorva::Placement third = cycle(folder, second);
    if (!same(second, third))
        std::abort();
    return 0;
}
