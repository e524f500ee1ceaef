#pragma once

#include <QString>

namespace lorva {

// The main window's opacity (0 to 255) while an export runs, and otherwise.
inline constexpr int kExportAlpha = 205;
inline constexpr int kNormalAlpha = 255;

// What the exports keep for the whole run.
struct ExportState
{
    qint16 pictureCounter = 0;
    QString templatePath;   // word-processor template, portrait
    QString templatePathH;  // word-processor template, landscape
    bool running = false;   // an export is under way: a second one waits its turn
    // The picture box of the screen pictures, in twips: the screen's size
    // when the program started, which every saved picture has.
    int pictureWidth = 0;
    int pictureHeight = 0;
};

} // namespace lorva
