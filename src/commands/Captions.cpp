#include "commands/Captions.h"

#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/MakeMenus.h"
#include "config/Language.h"
#include "config/Options.h"
#include "config/Pronunciation.h"

namespace lorva {

using namespace keys;

namespace {

struct Text
{
    QString key;
    int caption;
};

// The voices menu's checks for what of an article is read besides its text.
constexpr int kReadCodeCaption = 280;
constexpr int kReadPicturesCaption = 281;

} // namespace

void Set_Captions(const Language &l, const Options &options, CommandBars &bars, CaptionTargets &windows)
{
    const auto &C = l.Captions;
    const auto tips = [&](std::initializer_list<Text> rows) {
        for (const Text &row : rows)
            bars.setToolTip(row.key, C[row.caption]);
    };
    const auto captions = [&](std::initializer_list<Text> rows) {
        for (const Text &row : rows)
            bars.setCaption(row.key, C[row.caption]);
    };

    tips({{Exit0, 32}, {File, 131}, {Back, 123}, {Next, 124}, {Print, 43}});
    bars.setToolTip(Google, l.SearchDescr);
    tips({{Save, 128}, {Edit, 129}, {Favorite, 130}, {Search, 132}, {Navigate, 134}, {Tts, 155},
          {Speak, 137}, {Lang, 194}, {Exit2, 32}, {Min, 60}});

    captions({{NavigatePick, 170}, {NavigateGo, 169}, {NavigateNext, 3}, {NavigateBack, 2},
              {NavigateRefresh, 126}, {NavigateHome, 63}, {NavigatePickHome, 135}, {FileSystem, 180},
              {FileOffice, 172}, {FileXp, 173}, {FileMoney, 174}, {FileFloating, 38},
              {FileBrevonta, 138}, {FileHelp, 175}, {EditStop, 125}, {EditCancelDownload, 256}});

    bars.setCaption(EditTxt, QStringLiteral("Speak_") + options.LanguageName + QStringLiteral(".txt"));
    markLanguage(bars, options.LanguageName);

    captions({{EditCut, 157}, {EditCopy, 158}, {EditPaste, 159}, {EditDelete, 18},
              {EditPageSet, 41}, {EditPreview, 42}, {EditPrint, 43}, {EditProperties, 177},
              {EditFindDoc, 166}, {EditSelect, 23}, {EditView, 35}, {EditPicture, 176},
              {EditTrans, 189}, {EditExit, 1}, {FileInternet, 161}, {FileExplorer, 160},
              {FileSecurity, 162}, {FileVolume, 97}, {SaveHtml, 145}, {SaveWordH, 146},
              {SaveWordV, 147}, {SaveExcel, 148}, {SavePpt, 149}, {SavePdf, 206}, {LangNew, 209},
              {SpeakTre, 218}, {SpeakSei, 219}, {SpeakDodici, 220}, {SpeakStop, 221},
              {SpeakLog, 222}, {SpeakPause, 244}, {SpeakSave, 246},
              {SpeakRead, 248}, {SpeakNext, 249}, {SpeakPrev, 250}, {SpeakCode, kReadCodeCaption},
              {SpeakPictures, kReadPicturesCaption}, {SpeakPronunciation, kPronunciationCaption},
              {SpeakAuto, kAutomaticVoiceCaption}});

    bars.setToolTip(Wiki, l.DictionaryDescr);
    bars.setToolTip(Map, l.MapDescr);
    bars.setToolTip(Social, l.SocialDescr);
    bars.setToolTip(Ebay, l.EcommerceDescr);
    tips({{Picture, 176}, {Brevonta, 196}});

    windows.setWindowNames({C[215], C[179], {C[232], C[233], C[234]}, C[224], C[235], C[236], C[248], C[251],
                           C[253], C[254]});

    // The language-file editor and the question dialog have their texts
    // before they are first shown: their entries are made here if need be.
    Make_WindowBars(bars, CommandWindow::LanguageEditor);
    Make_WindowBars(bars, CommandWindow::Question);
    captions({{Exit3, 210}, {Save5, 128}, {OkYes, 212}, {OkNo, 214}});
}

} // namespace lorva
