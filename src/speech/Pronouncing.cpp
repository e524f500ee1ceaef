// The pronunciation list's editor: the file's entries and damaged lines
// shown, the rows checked and saved, and the saved list used at once.
#include "speech/Speech.h"

#include "config/AppError.h"
#include "config/Language.h"
#include "windows/frmPronunciation.h"

namespace lorva {

namespace {

// The texts of the pronunciation list's editor.
constexpr int kWrittenCaption = 266;
constexpr int kSaidCaption = 267;
constexpr int kMatchCaseCaption = 268;
constexpr int kAddCaption = 269;
constexpr int kRemoveCaption = 270;
constexpr int kSaveCaption = 271;
constexpr int kLinesLeftOutCaption = 272;
constexpr int kRowsNotSavedCaption = 273;
constexpr int kListSavedCaption = 274;
constexpr int kNoMarkCaption = 275;
constexpr int kNothingSaidCaption = 276;
constexpr int kNotTextCaption = 277;
constexpr int kRepeatedCaption = 278;
constexpr int kTooLongCaption = 279;

// One damaged line, or row, as the editor lists it: where, what, and why.
QStringList describeDamage(const Language &language, const QList<DamagedLine> &damaged, const QList<int> &shownAs = {})
{
    const auto &C = language.Captions;
    constexpr qsizetype kShownCharacters = 200;
    QStringList lines;
    for (const DamagedLine &d : damaged) {
        const auto where = [&](int line) { return shownAs.isEmpty() ? line : shownAs.value(line - 1, line); };
        QString why;
        switch (d.why) {
        case PronunciationDamage::NoMark: why = C[kNoMarkCaption]; break;
        case PronunciationDamage::NothingSaid: why = C[kNothingSaidCaption]; break;
        case PronunciationDamage::ControlCharacter: why = C[kNotTextCaption]; break;
        case PronunciationDamage::Repeated: why = C[kRepeatedCaption] + QString::number(where(d.sameAs)); break;
        case PronunciationDamage::TooManyLines: why = C[kTooLongCaption] + QString::number(kMaxPronunciationLines); break;
        }
        QString text = d.text.left(kShownCharacters);
        for (QChar &c : text) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                c = QChar(0xFFFD);
        }
        lines << QStringLiteral("%1: %2   (%3)").arg(where(d.line)).arg(text, why);
    }
    return lines;
}

// The editor's rows checked as the file would be read, then written and
// used: rows wholly empty are left out, a damaged one keeps all unsaved.
frmPronunciation::Notice saveRows(SpeechContext &ctx, const PronunciationList &rows)
{
    const auto &C = ctx.language.Captions;
    QStringList lines;
    QList<int> rowOfLine; // counted from 1, as the table shows them
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].written.trimmed().isEmpty() && rows[i].said.trimmed().isEmpty())
            continue;
        lines << pronunciationLine(rows[i]);
        rowOfLine << i + 1;
    }
    const PronunciationFile checked = parsePronunciation(lines);
    if (!checked.damaged.isEmpty())
        return {C[kRowsNotSavedCaption], describeDamage(ctx.language, checked.damaged, rowOfLine)};
    try {
        savePronunciation(ctx.programFolder, checked.entries);
    } catch (const AppError &e) {
        return {e.message(), {}};
    }
    ctx.speech.pronunciation = checked.entries;
    return {C[kListSavedCaption], {}};
}

} // namespace

void Show_Pronunciation(SpeechContext &ctx, const ShowModal &showModal)
{
    const auto &C = ctx.language.Captions;
    // The file may have been changed by hand meanwhile: it is read afresh.
    const PronunciationFile file = readPronunciation(ctx.programFolder);
    ctx.speech.pronunciation = file.entries;
    frmPronunciation::Notice notice;
    if (!file.damaged.isEmpty())
        notice = {C[kLinesLeftOutCaption], describeDamage(ctx.language, file.damaged)};
    const frmPronunciation::Texts texts{C[kPronunciationCaption], C[kWrittenCaption], C[kSaidCaption],
                                        C[kMatchCaseCaption],     C[kAddCaption],     C[kRemoveCaption],
                                        C[kSaveCaption]};
    showModal(new frmPronunciation(texts, file.entries, notice,
                                   [&ctx](const PronunciationList &rows) { return saveRows(ctx, rows); }));
}

} // namespace lorva
