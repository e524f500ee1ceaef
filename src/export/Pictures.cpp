#include "export/Pictures.h"

#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "browser/MainWindowLogic.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "config/Options.h"
#include "export/ExportState.h"
#include "export/OfficeExports.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/OfficeSuite.h"
#include "platform/Platform.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QUrl>

namespace lorva {

namespace {

const QString kTitle = QStringLiteral("lorvaspeak");
constexpr int kSavedCaption = 108;
constexpr int kPictureCaption = 192;
constexpr int kSlideCaption = 216;
constexpr int kAddedToCaption = 217;

BrowserView *currentView(MainContext &ctx) { return ctx.tabs.view(ctx.tabs.currentTab()); }

QString failed(const MainContext &ctx, const QString &what)
{
    return ctx.language.Captions[kExportFailedCaption] + what;
}

// The window laid out again after the view was stretched over the bars.
void layOutAgain(MainContext &ctx)
{
    ctx.main.NoResize = false;
    Form_Resize(ctx);
}

// The PDF document shown, written whole under `path` or not at all.
bool savePdf(BrowserView &view, const QString &path, QString &error)
{
    const std::optional<QByteArray> document = view.pdfDocument(error);
    if (!document)
        return false;
    try {
        legacy::writeFileAtomically(path, *document, QStringLiteral("Save_Archive"));
    } catch (const AppError &failure) {
        error = failure.message();
        return false;
    }
    return true;
}

QByteArray bmpOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "BMP") ? bytes : QByteArray();
}

} // namespace

void Load_ClipBoard(ExportContext &ctx)
{
    MainContext &main = ctx.main;
    Platform &platform = main.platform;
    main.main.BarsShown = true;
    main.main.layout.picStatVisible = false;
    GO_BarOff(main);
    platform.waits->processEvents();
    platform.waits->wait(1000);
    platform.waits->processEvents();
    platform.waits->wait(1000);
    // The screen that shows the main window, as the Print Screen key takes it.
    const TwipsRect r = main.frame.windowRectTwips();
    const QImage screen = platform.grabScreen(
        QPoint(toPixels(r.left + r.width / 2), toPixels(r.top + r.height / 2)));
    platform.clipboard->setContent({QString(), QString(), screen});
    platform.waits->processEvents();
    platform.waits->wait(1000);
    main.main.layout.picStatVisible = true;
    main.main.BarsShown = false;
    GO_BarOn(main);
    platform.waits->processEvents();
}

void SaveAsP(ExportContext &ctx)
{
    MainContext &main = ctx.main;
    const auto &C = main.language.Captions;
    OfficeSession session(ctx);
    if (!session.started())
        return;
    const auto end = qScopeGuard([&] { layOutAgain(main); });
    session.startOffice();

    main.platform.clipboard->clear();
    main.tabs.showView(main.tabs.currentTab());
    main.main.NoResize = true;
    BrowserView *view = currentView(main);
    QString title = view ? view->LocationName() : QString();
    if (title.isEmpty())
        title = QStringLiteral("PPTDocument");
    const std::optional<QString> chosen = main.dialogs.saveFileName(
        QString(), Default_Export_Name(title) + QStringLiteral(".ppt"), QStringLiteral("Microsoft Powerpoint(*.ppt)|*.ppt"));
    if (!chosen || chosen->isEmpty())
        return;

    // The page fills the window while the picture is taken.
    TwipsRect stretched = main.main.layout.view;
    stretched.height = main.frame.innerHeightTwips();
    main.tabs.placeView(main.tabs.currentTab(), stretched);
    Load_ClipBoard(ctx);
    const QImage picture = main.platform.clipboard->content().image;
    if (picture.isNull()) {
        main.dialogs.failure(failed(main, QStringLiteral("no picture of the screen could be taken")));
        return;
    }
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/lorvaspeak-slide-XXXXXX.png"));
    if (!file.open() || !picture.save(&file, "PNG") || !file.flush()) {
        main.dialogs.failure(failed(main, QStringLiteral("cannot keep the picture for the office")));
        return;
    }

    OfficeJob job;
    job.kind = OfficeJob::Kind::Slide;
    job.source = file.fileName();
    job.target = QFileInfo(*chosen).absoluteFilePath();
    const OfficeResult result = session.run(job);
    if (result.ok)
        main.dialogs.information(kTitle, C[kSlideCaption] + (result.slides >= 0 ? QStringLiteral(" ") : QString()) +
                                             QString::number(result.slides) + u' ' + C[kAddedToCaption] +
                                             QStringLiteral("\r\n") + *chosen);
    else
        main.dialogs.failure(failed(main, result.error));
}

void Save_Archive(ExportContext &ctx)
{
    MainContext &main = ctx.main;
    BrowserView *view = currentView(main);
    if (!view)
        return;
    Set_Alpha(main, kExportAlpha);
    Set_Pointer(main, true);
    const auto end = qScopeGuard([&] {
        Set_Pointer(main, false);
        Set_Alpha(main, kNormalAlpha);
    });
    main.platform.waits->wait(500);
    // A PDF document is no web page: it is saved as itself, under the name
    // it came with. A page gets its own name for it, as the view's Save As
    // would offer.
    const bool pdf = view->showsPdf();
    QString name = pdf ? QFileInfo(QUrl(view->LocationURL()).path()).completeBaseName() : QString();
    if (name.isEmpty())
        name = view->LocationName();
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name = name.replace(unfit, QStringLiteral(" ")).simplified();
    if (name.isEmpty())
        name = QStringLiteral("page");
    Set_Pointer(main, false);
    const std::optional<QString> chosen =
        pdf ? main.dialogs.saveFileName(QString(), name + QStringLiteral(".pdf"), QLatin1String(kPdfFilter))
            : main.dialogs.saveFileName(QString(), name + QStringLiteral(".mht"),
                                        QStringLiteral("Web archive (*.mht)|*.mht"));
    Set_Pointer(main, true);
    if (!chosen || chosen->isEmpty())
        return;
    QString error;
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    const bool saved = pdf ? savePdf(*view, path, error) : view->saveArchive(path, error);
    main.platform.waits->wait(500);
    Set_Pointer(main, false);
    Set_Alpha(main, kNormalAlpha);
    // Said only of a file that was written, under its real name.
    if (saved)
        main.dialogs.information(kTitle, main.language.Captions[kSavedCaption] + path);
    else
        main.dialogs.failure(failed(main, error));
}

void View_Source(ExportContext &ctx)
{
    MainContext &main = ctx.main;
    BrowserView *view = currentView(main);
    const QString markup = view ? view->outerHTML() : QString();
    if (markup.isEmpty()) {
        main.dialogs.failure(failed(main, QStringLiteral("the page has no document")));
        return;
    }
    // Replaced, never appended to; any spelling of the old name goes first.
    const QString path = QDir(main.programFolder).filePath(QStringLiteral("Doc.Txt"));
    try {
        const QString old = legacy::resolvePath(main.programFolder, QStringLiteral("doc.txt"));
        if (old != path && QFileInfo::exists(old))
            QFile::remove(old);
        legacy::writeFileAtomically(path, markup.toUtf8(), QStringLiteral("View_Source"));
    } catch (const AppError &error) {
        main.dialogs.failure(failed(main, error.message()));
        return;
    }
    main.platform.desktop->open(path);
}

QString pictureName(int n)
{
    return QStringLiteral("Images/Lorva") + (QStringLiteral("00") + QString::number(qAbs(n))).right(3) +
           QStringLiteral(".bmp");
}

int freePictureNumber(const QString &programFolder, int from)
{
    for (int step = 0; step < 1000; ++step) {
        const int n = (qMax(0, from) + step) % 1000;
        if (!QFileInfo::exists(legacy::resolvePath(programFolder, pictureName(n))))
            return n;
    }
    return -1;
}

void Take_Pic(ExportContext &ctx)
{
    MainContext &main = ctx.main;
    const auto &C = main.language.Captions;
    main.tabs.showView(main.tabs.currentTab());
    Load_ClipBoard(ctx);
    if (main.options.FloatingBars == 1)
        main.timers.setTimerEnabled(MainTimer::Timer1, true);
    main.platform.waits->wait(100);
    QImage picture = main.platform.clipboard->content().image;
    if (picture.isNull()) {
        main.dialogs.failure(failed(main, QStringLiteral("no picture of the screen could be taken")));
        return;
    }
    // The picture box has the screen's size at the start.
    const QSize box(toPixels(ctx.exports.pictureWidth), toPixels(ctx.exports.pictureHeight));
    if (!box.isEmpty() && picture.size() != box)
        picture = picture.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    // Pictures of earlier runs, and of this one, are never replaced.
    const int n = freePictureNumber(main.programFolder, ctx.exports.pictureCounter);
    if (n < 0) {
        main.dialogs.information(kTitle, C[kPicturesFullCaption]);
        return;
    }
    const QString path = legacy::resolvePath(main.programFolder, pictureName(n));
    try {
        const QByteArray bmp = bmpOf(picture);
        if (bmp.isEmpty())
            throw AppError(QStringLiteral("cannot make a bitmap of the picture"), QStringLiteral("Take_Pic"));
        legacy::writeFileAtomically(path, bmp, QStringLiteral("Take_Pic"));
    } catch (const AppError &error) {
        main.dialogs.failure(failed(main, error.message()));
        return;
    }
    main.dialogs.information(kTitle, C[kPictureCaption] + QStringLiteral(": ") + QDir::toNativeSeparators(path));
    ctx.exports.pictureCounter = qint16((n + 1) % 1000);
}

void addPictureRows(Dispatcher &dispatcher, ExportContext &ctx)
{
    using elements::StartMenus;
    dispatcher.setRow(StartMenus, keys::SavePpt, [&ctx](const QString &) { SaveAsP(ctx); });
    dispatcher.setRow(StartMenus, keys::SaveHtml, [&ctx](const QString &) { Save_Archive(ctx); });
    dispatcher.setRow(StartMenus, keys::EditView, [&ctx](const QString &) { View_Source(ctx); });
    dispatcher.setRow(StartMenus, keys::EditPicture, [&ctx](const QString &) { Take_Pic(ctx); });
}

} // namespace lorva
