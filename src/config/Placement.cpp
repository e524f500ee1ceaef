#include "config/Placement.h"

#include "config/LegacyText.h"

#include <QStringList>

#include <cmath>

namespace lorva {

namespace {

qint16 clampTo16(int value) { return qint16(qBound(-32768, value, 32767)); }

// The file's values, one a line; what follows them is never looked at.
constexpr int kPlacementLines = 13;

} // namespace

WindowPlace keepOnScreen(const WindowPlace &place, int screenWidthTwips, int screenHeightTwips)
{
    const auto sane = [](double v, double low, double high) {
        return std::isfinite(v) ? qBound(low, v, qMax(low, high)) : low;
    };
    WindowPlace out;
    out.width = sane(place.width, 3000, screenWidthTwips);
    out.height = sane(place.height, 2000, screenHeightTwips);
    out.left = sane(place.left, 0, screenWidthTwips - out.width);
    out.top = sane(place.top, 0, screenHeightTwips - out.height);
    return out;
}

void Read_Place(const QString &programFolder, Placement &place, int screenWidthTwips, int screenHeightTwips)
{
    const std::optional<QStringList> file =
        legacy::readTextLines(legacy::resolvePath(programFolder, kPlacementFile), kPlacementLines);
    const QStringList lines = file.value_or(QStringList());
    // A line the file does not have repeats the one read before it.
    QString buffer;
    auto next = [&, n = 0]() mutable -> double {
        if (n < lines.size())
            buffer = lines[n];
        ++n;
        return legacy::leadingNumber(legacy::trimSpaces(buffer));
    };
    // A value that does not fit 16 bits leaves the setting as it was.
    const auto take16 = [](double value, qint16 &into) {
        if (const auto v = legacy::toInt16(value))
            into = *v;
    };
    if (!file) {
        place.PlaceTop = 0;
        place.PlaceLeft = 0;
        place.PlaceHeight = clampTo16(screenHeightTwips);
        place.PlaceWidth = clampTo16(screenWidthTwips);
    }
    take16(next(), place.PlaceTop);
    place.PlaceTop = qMax<qint16>(place.PlaceTop, 0);
    take16(next(), place.PlaceLeft);
    place.PlaceLeft = qMax<qint16>(place.PlaceLeft, 0);
    take16(next(), place.PlaceHeight);
    if (place.PlaceHeight < 2000)
        place.PlaceHeight = clampTo16(screenHeightTwips);
    take16(next(), place.PlaceWidth);
    if (place.PlaceWidth < 3000)
        place.PlaceWidth = clampTo16(screenWidthTwips);
    for (double *held : {&place.table.top, &place.table.left, &place.table.height, &place.table.width,
                         &place.editor.top, &place.editor.left, &place.editor.height, &place.editor.width})
        *held = next();
    take16(next(), place.PlaceState);
}

QStringList placementLines(const Placement &place, double top, double left, double height, double width)
{
    QStringList lines{legacy::printSingle(top >= 0 ? top : 0), legacy::printSingle(left >= 0 ? left : 0),
                      legacy::printSingle(height > 1000 ? height : 1000),
                      legacy::printSingle(width > 2000 ? width : 2000)};
    for (const double held : {place.table.top, place.table.left, place.table.height, place.table.width,
                              place.editor.top, place.editor.left, place.editor.height, place.editor.width})
        lines << legacy::printNumber(held);
    lines << legacy::printInt(place.PlaceState);
    return lines;
}

void Save_Place(const QString &programFolder, const Placement &place, double top, double left, double height,
                double width)
{
    legacy::writeTextLines(legacy::resolvePath(programFolder, kPlacementFile),
                           placementLines(place, top, left, height, width), QStringLiteral("Save_Place"));
}

} // namespace lorva
