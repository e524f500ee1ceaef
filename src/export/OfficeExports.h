#pragma once

#include "platform/OfficeSuite.h"

#include <QString>

namespace lorva {

class Dispatcher;
struct ExportState;
struct MainContext;

// What the exports work on: the main window (its current view, its
// opacity, its dialogs, the platform with the office suite) and their state.
struct ExportContext
{
    MainContext &main;
    ExportState &exports;
};

// One export through the office suite, from its command to its end: it
// refuses to start while another runs (status text) or when no office is
// installed (a message); startOffice() starts the office in the background,
// and the end stops an office that got no work.
class OfficeSession
{
public:
    explicit OfficeSession(ExportContext &ctx);
    ~OfficeSession();
    OfficeSession(const OfficeSession &) = delete;
    OfficeSession &operator=(const OfficeSession &) = delete;

    bool started() const { return m_started; }
    void startOffice();
    // Does `job`, with events running meanwhile, and gives the result; a
    // job the office does not finish in time fails.
    OfficeResult run(const OfficeJob &job);

private:
    ExportContext &m_ctx;
    bool m_started = false;
    bool m_worked = false;
};

// The default name of an exported document: the title cut to 22
// characters, then only its digits and ASCII letters; the caller appends
// the extension.
QString Default_Export_Name(const QString &title);

// The page as a Word document, from the portrait template or, when
// `VerticalWord`, from the landscape one.
void SaveAsW(ExportContext &ctx, bool VerticalWord);
// The page as a PDF file, through the landscape template, with the Word
// document it was made from beside it; a PDF document shown is saved as
// itself (as Save_Archive saves it).
void SaveAsF(ExportContext &ctx);
// The page as an Excel workbook, its tables as cells.
void SaveAsE(ExportContext &ctx);

// Registers "SAVE:WORDH", "SAVE:WORDV", "SAVE:PDF" and "SAVE:EXCEL".
void addExportRows(Dispatcher &dispatcher, ExportContext &ctx);

// Caption positions of the exports' own messages.
inline constexpr int kExportFailedCaption = 239;
inline constexpr int kNoOfficeCaption = 240;
inline constexpr int kExportBusyCaption = 241;
// A PDF document shown cannot go into a Word document or a workbook.
inline constexpr int kPdfNotExportedCaption = 255;

// The save dialog's filter for PDF files.
inline constexpr char kPdfFilter[] = "PDF  (*.pdf)|*.pdf";

} // namespace lorva
