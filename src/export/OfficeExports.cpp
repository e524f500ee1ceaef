#include "export/OfficeExports.h"

#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "export/ExportState.h"
#include "export/Pictures.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/OfficeSuite.h"
#include "platform/Platform.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <chrono>
#include <future>
#include <memory>

namespace lorva {

namespace {

constexpr int kNothingCaption = 120;
constexpr int kSavedCaption = 108;
constexpr int kOfficeTimeoutMs = 180000;
// The office takes about a minute over a page of 5 million characters (and
// ten times as long over one ten times as large): a larger page is refused
// at once, before anything of it is taken from the browser.
constexpr qsizetype kMaxExportMarkup = 5'000'000;

const QString kTitle = QStringLiteral("lorvaspeak");

BrowserView *currentView(ExportContext &ctx) { return ctx.main.tabs.view(ctx.main.tabs.currentTab()); }

// The synthetic copy: everything in the focused page selected and copied.
void syntheticCopy(ExportContext &ctx, BrowserView &view)
{
    Platform &platform = ctx.main.platform;
    platform.clipboard->clear();
    view.Stop();
    ctx.main.tabs.showView(ctx.main.tabs.currentTab());
    ctx.main.tabs.focusView(ctx.main.tabs.currentTab());
    platform.waits->wait(200);
    view.ExecWB(PageCommand::SelectAll);
    platform.waits->processEvents();
    platform.waits->wait(200);
    view.ExecWB(PageCommand::Copy);
    platform.waits->processEvents();
    platform.waits->wait(200);
    view.Refresh();
}

// Puts the current page on the clipboard and gives the HTML the office gets:
// the page's own capture, or else what the synthetic copy put there. Empty
// when the page gave nothing; then `tooLarge` holds the size of a page too
// large to export.
QString Capture_Page(ExportContext &ctx, std::optional<qsizetype> &tooLarge)
{
    BrowserView *view = currentView(ctx);
    if (!view)
        return {};
    Platform &platform = ctx.main.platform;
    if (const std::optional<CapturedPage> page = view->capturePage(kMaxExportMarkup)) {
        if (page->tooLarge) {
            tooLarge = page->markupSize;
            return {};
        }
        platform.clipboard->setContent({page->text, page->html, {}});
        WebAttend(*view, platform);
        return page->html;
    }
    syntheticCopy(ctx, *view);
    const ClipboardContent copied = platform.clipboard->content();
    if (!copied.html.isEmpty())
        return copied.html;
    if (!copied.text.isEmpty())
        return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body><pre>") +
               copied.text.toHtmlEscaped() + QStringLiteral("</pre></body></html>\n");
    return {};
}

// The Word document written beside a PDF: the chosen name with "doc" after
// its last ".", or ".doc" added when it has none. An existing file there is
// never replaced: the next free name with "-1", "-2" ... is taken instead.
QString intermediateOf(const QString &chosen)
{
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = info.absolutePath() + u'/' + (dot > 0 ? name.left(dot) : name);
    QString candidate = stem + QStringLiteral(".doc");
    for (int n = 1; QFileInfo::exists(candidate) || candidate == info.absoluteFilePath(); ++n)
        candidate = stem + QStringLiteral("-%1.doc").arg(n);
    return candidate;
}

struct Kind
{
    OfficeJob::Kind office;
    const char *extension;
    const char *filter;
    const char *emptyTitle; // the name offered for an untitled page, or none
    bool clearsClipboard;
};

// The steps every office export shares, in the order of the Word export.
// `job` fills in what is particular to the kind once the file is chosen.
void exportPage(ExportContext &ctx, const Kind &kind, const std::function<void(OfficeJob &)> &job)
{
    MainContext &main = ctx.main;
    const auto &C = main.language.Captions;
    // The engine's viewer gives nothing of a PDF document to put into a
    // document of the office.
    if (BrowserView *view = currentView(ctx); view && view->showsPdf()) {
        main.dialogs.information(kTitle, C[kPdfNotExportedCaption]);
        return;
    }
    OfficeSession session(ctx);
    if (!session.started())
        return;
    Set_Alpha(main, kExportAlpha);
    const auto opaque = qScopeGuard([&] { Set_Alpha(main, kNormalAlpha); });
    session.startOffice();

    if (kind.clearsClipboard)
        main.platform.clipboard->clear();
    std::optional<qsizetype> tooLarge;
    const QString html = Capture_Page(ctx, tooLarge);
    if (tooLarge) {
        const auto millions = [](qsizetype n) { return QString::number(double(n) / 1e6, 'f', 1); };
        main.dialogs.failure(C[kExportFailedCaption] + QStringLiteral("the page is too large to export: it has %1 "
                                                                      "million characters of text and markup, and "
                                                                      "at most %2 million go into a document.")
                                                           .arg(millions(*tooLarge), millions(kMaxExportMarkup)));
        return;
    }
    const ClipboardContent held = main.platform.clipboard->content();
    if (html.isEmpty() || (held.text.isEmpty() && held.image.isNull())) {
        main.dialogs.information(kTitle, C[kNothingCaption]);
        return;
    }

    BrowserView *view = currentView(ctx);
    QString title = view ? view->LocationName() : QString();
    if (title.isEmpty() && kind.emptyTitle)
        title = QLatin1String(kind.emptyTitle);
    const std::optional<QString> chosen = main.dialogs.saveFileName(
        QString(), Default_Export_Name(title) + QLatin1String(kind.extension), QLatin1String(kind.filter));
    // Cancelled, or no name: nothing is saved, and nothing says it was.
    if (!chosen || chosen->isEmpty())
        return;

    OfficeJob request;
    request.kind = kind.office;
    request.target = QFileInfo(*chosen).absoluteFilePath();
    request.title = title;
    try {
        const QString handOver = legacy::resolvePath(main.programFolder, QStringLiteral("html.txt"));
        // Megabytes of a long page, written and flushed to the disk: on a
        // thread of their own, while the window goes on.
        std::future<void> writing = std::async(std::launch::async, [handOver, html] {
            legacy::writeFileAtomically(handOver, html.toUtf8(), QStringLiteral("Capture_Page"));
        });
        main.platform.waits->waitFor([&writing] { return writing.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
                              kOfficeTimeoutMs);
        writing.get();
        request.source = handOver;
    } catch (const AppError &error) {
        main.dialogs.failure(C[kExportFailedCaption] + error.message());
        return;
    }
    job(request);

    const OfficeResult result = session.run(request);
    Set_Alpha(main, kNormalAlpha);
    if (result.ok)
        main.dialogs.information(kTitle, C[kSavedCaption] + *chosen);
    else
        main.dialogs.failure(C[kExportFailedCaption] + result.error);
}

} // namespace

OfficeSession::OfficeSession(ExportContext &ctx) : m_ctx(ctx)
{
    MainContext &main = ctx.main;
    const auto &C = main.language.Captions;
    if (ctx.exports.running) {
        main.status.setStatusText(C[kExportBusyCaption]);
        return;
    }
    OfficeSuite &office = *main.platform.office;
    if (!office.available()) {
        main.dialogs.failure(C[kNoOfficeCaption]);
        return;
    }
    ctx.exports.running = true;
    m_started = true;
}

void OfficeSession::startOffice()
{
    // The office starts now, while the user is still choosing the name.
    m_ctx.main.platform.office->prepare();
}

OfficeSession::~OfficeSession()
{
    if (!m_started)
        return;
    if (!m_worked)
        m_ctx.main.platform.office->cancel();
    m_ctx.exports.running = false;
}

OfficeResult OfficeSession::run(const OfficeJob &job)
{
    m_worked = true;
    // The answer lands in state of its own, never in this frame: the
    // callback of work given up must find nothing of it to write into.
    struct Answer
    {
        OfficeResult result;
        bool finished = false;
    };
    const auto answer = std::make_shared<Answer>();
    m_ctx.main.platform.office->run(job, [answer](const OfficeResult &r) {
        answer->result = r;
        answer->finished = true;
    });
    if (!m_ctx.main.platform.waits->waitFor([&answer] { return answer->finished; }, kOfficeTimeoutMs)) {
        m_worked = false; // the work is given up on the way out
        return OfficeResult{false, QStringLiteral("the office did not finish the work"), 0};
    }
    return answer->result;
}

QString Default_Export_Name(const QString &title)
{
    QString name;
    for (const QChar c : title.left(22)) {
        const char16_t u = c.unicode();
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
            name += c;
    }
    return name;
}

void SaveAsW(ExportContext &ctx, bool VerticalWord)
{
    static const Kind word{OfficeJob::Kind::Word, ".doc", "Microsoft Word (*.doc)|*.doc", nullptr, true};
    exportPage(ctx, word, [&ctx, VerticalWord](OfficeJob &job) {
        // Without its template (before the start-up tail has set the
        // paths) the document is a new landscape one.
        job.templatePath = VerticalWord ? ctx.exports.templatePathH : ctx.exports.templatePath;
        job.landscape = job.templatePath.isEmpty();
    });
}

void SaveAsF(ExportContext &ctx)
{
    if (BrowserView *view = currentView(ctx); view && view->showsPdf()) {
        Save_Archive(ctx);
        return;
    }
    static const Kind pdf{OfficeJob::Kind::Pdf, ".pdf", kPdfFilter, nullptr, true};
    exportPage(ctx, pdf, [&ctx](OfficeJob &job) {
        job.templatePath = ctx.exports.templatePathH;
        job.landscape = true;
        job.intermediate = intermediateOf(job.target);
    });
}

void SaveAsE(ExportContext &ctx)
{
    static const Kind excel{OfficeJob::Kind::Excel, ".xls", "Microsoft Excel(*.xls)|*.xls", "ExcelDocument", false};
    exportPage(ctx, excel, [](OfficeJob &) {});
}

void addExportRows(Dispatcher &dispatcher, ExportContext &ctx)
{
    using elements::StartMenus;
    dispatcher.setRow(StartMenus, keys::SaveWordH, [&ctx](const QString &) { SaveAsW(ctx, false); });
    dispatcher.setRow(StartMenus, keys::SaveWordV, [&ctx](const QString &) { SaveAsW(ctx, true); });
    dispatcher.setRow(StartMenus, keys::SavePdf, [&ctx](const QString &) { SaveAsF(ctx); });
    dispatcher.setRow(StartMenus, keys::SaveExcel, [&ctx](const QString &) { SaveAsE(ctx); });
}

} // namespace lorva
