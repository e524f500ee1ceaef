#include "commands/Captions.h"

#include "commands/CommandBars.h"
#include "commands/MakeMenus.h"
#include "config/Language.h"
#include "config/Options.h"

namespace lorva {

namespace {

struct Text
{
    const char *key;
    int caption;
};

} // namespace

void Set_Captions(const Language &l, const Options &options, CommandBars &bars, CaptionTargets &windows)
{
    const auto &C = l.Captions;
    const auto tips = [&](std::initializer_list<Text> rows) {
        for (const Text &row : rows)
            bars.setToolTip(QString::fromLatin1(row.key), C[row.caption]);
    };
    const auto captions = [&](std::initializer_list<Text> rows) {
        for (const Text &row : rows)
            bars.setCaption(QString::fromLatin1(row.key), C[row.caption]);
    };

    tips({{"EXIT0", 32}, {"FILE", 131}, {"BACK", 123}, {"NEXT", 124}, {"PRINT", 43}});
    bars.setToolTip(QStringLiteral("GOOGLE"), l.SearchDescr);
    tips({{"SAVE", 128}, {"EDIT", 129}, {"FAVORITE", 130}, {"SEARCH", 132}, {"NAVIGATE", 134}, {"TTS", 155},
          {"SPEAK", 137}, {"LANG", 194}, {"EXIT2", 32}, {"MIN", 60}});

    captions({{"NAVIGATE:PICK", 170}, {"NAVIGATE:GO", 169}, {"NAVIGATE:NEXT", 3}, {"NAVIGATE:BACK", 2},
              {"NAVIGATE:REFRESH", 126}, {"NAVIGATE:HOME", 63}, {"NAVIGATE:PICKHOME", 135}, {"FILE:SYSTEM", 180},
              {"FILE:OFFICE", 172}, {"FILE:XP", 173}, {"FILE:MONEY", 174}, {"FILE:FLOATING", 38},
              {"FILE:BREVONTA", 138}, {"FILE:HELP", 175}, {"EDIT:STOP", 125}});

    bars.setCaption(QStringLiteral("EDIT:TXT"), QStringLiteral("Speak_") + options.LanguageName + QStringLiteral(".txt"));

    captions({{"EDIT:CUT", 157}, {"EDIT:COPY", 158}, {"EDIT:PASTE", 159}, {"EDIT:DELETE", 18},
              {"EDIT:PAGESET", 41}, {"EDIT:PREVIEW", 42}, {"EDIT:PRINT", 43}, {"EDIT:PROPERTIES", 177},
              {"EDIT:FINDDOC", 166}, {"EDIT:SELECT", 23}, {"EDIT:VIEW", 35}, {"EDIT:PICTURE", 176},
              {"EDIT:TRANS", 189}, {"EDIT:EXIT", 1}, {"FILE:INTERNET", 161}, {"FILE:EXPLORER", 160},
              {"FILE:SECURITY", 162}, {"FILE:VOLUME", 97}, {"SAVE:HTML", 145}, {"SAVE:WORDH", 146},
              {"SAVE:WORDV", 147}, {"SAVE:EXCEL", 148}, {"SAVE:PPT", 149}, {"SAVE:PDF", 206}, {"LANG:NEW", 209},
              {"SPEAK:TRE", 218}, {"SPEAK:SEI", 219}, {"SPEAK:DODICI", 220}, {"SPEAK:STOP", 221},
              {"SPEAK:LOG", 222}, {"SPEAK:PAUSE", 244}, {"SPEAK:SAVE", 246},
              {"SPEAK:READ", 248}, {"SPEAK:NEXT", 249}, {"SPEAK:PREV", 250}});

    bars.setToolTip(QStringLiteral("WIKI"), l.DictionaryDescr);
    bars.setToolTip(QStringLiteral("MAP"), l.MapDescr);
    bars.setToolTip(QStringLiteral("SOCIAL"), l.SocialDescr);
    bars.setToolTip(QStringLiteral("EBAY"), l.EcommerceDescr);
    tips({{"PICTURE", 176}, {"BREVONTA", 196}});

    windows.setWindowNames({C[215], C[179], {C[232], C[233], C[234]}, C[224], C[235], C[236], C[248]});

    // The language-file editor and the question dialog have their texts
    // before they are first shown: their entries are made here if need be.
    Make_WindowBars(bars, CommandWindow::LanguageEditor);
    Make_WindowBars(bars, CommandWindow::Question);
    captions({{"EXIT3", 210}, {"SAVE5", 128}, {"OKYES", 212}, {"OKNO", 214}});
}

} // namespace lorva
