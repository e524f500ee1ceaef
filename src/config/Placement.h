#pragma once

#include <QtGlobal>

namespace lorva {

// Placement of the main window in twips, and the full-screen flag, as the
// window placement file keeps them.
struct Placement
{
    qint16 PlaceTop = 0;
    qint16 PlaceLeft = 0;
    qint16 PlaceHeight = 0;
    qint16 PlaceWidth = 0;
    qint16 PlaceState = 0;
};

} // namespace lorva
