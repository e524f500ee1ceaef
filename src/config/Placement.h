#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lorva {

// Where a secondary window stands, in twips, as the placement file keeps it.
// All four 0 means the window was never placed.
struct WindowPlace
{
    double top = 0;
    double left = 0;
    double height = 0;
    double width = 0;

    bool neverPlaced() const { return top == 0 && left == 0 && height == 0 && width == 0; }
};

// The window placement file: the main window in twips, the link-table
// window and the link-row editor, and the full-screen flag. Lines 5 to 13
// are held between a read and the write at exit.
struct Placement
{
    qint16 PlaceTop = 0;
    qint16 PlaceLeft = 0;
    qint16 PlaceHeight = 0;
    qint16 PlaceWidth = 0;
    WindowPlace table;  // lines 5 to 8
    WindowPlace editor; // lines 9 to 12: EditorTop, EditorLeft, EditorHeight, EditorWidth
    qint16 PlaceState = 0;
};

inline const QString kPlacementFile = QStringLiteral("Data/Lorvaspeak.Ini");

// A stored place may hold anything: the same place kept on a screen of
// that size (twips) and at a usable size (at least 3000 by 2000).
WindowPlace keepOnScreen(const WindowPlace &place, int screenWidthTwips, int screenHeightTwips);

// Reads the placement file into `place`; the screen's size in twips stands
// in for a missing or too small main-window size. A missing or short file is
// no failure: a missing line repeats the line before it.
void Read_Place(const QString &programFolder, Placement &place, int screenWidthTwips, int screenHeightTwips);

// The 13 lines: the main window's current rectangle (within the file's
// bounds) and the held values.
QStringList placementLines(const Placement &place, double top, double left, double height, double width);

// Writes the 13 lines. Throws AppError when it cannot.
void Save_Place(const QString &programFolder, const Placement &place, double top, double left, double height,
                double width);

} // namespace lorva
