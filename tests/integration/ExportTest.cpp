// The office exports of the real window: a page served on 127.0.0.1, Qt
// WebEngine capturing it, LibreOffice writing the documents, and the
// documents converted back to look at what they hold.
#include "export/OfficeExports.h"
#include "platform/Dialogs.h"
#include "platform/OfficeBridge.h"
#include "support/ForwardingPlatform.h"
#include "support/MainWindowFixture.h"
#include "support/Office.h"

#include <QBuffer>
#include <QImage>

#include <csignal>
#include <deque>

using namespace lorva;
using namespace lorva::test;

namespace {

// The answers a user gives the dialogs, and what the dialogs said.
struct DialogScript
{
    std::deque<QString> names; // the save dialog's answers, in turn
    std::function<void()> onSave; // when the name has been chosen
    QStringList informations;
    QStringList failures;
};

class ScriptedDialogs : public Dialogs
{
public:
    explicit ScriptedDialogs(DialogScript &script) : m_script(script) {}
    void failure(const QString &message, int) override { m_script.failures << message; }
    void information(const QString &, const QString &text) override { m_script.informations << text; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override
    {
        if (m_script.names.empty())
            return {};
        const QString name = m_script.names.front();
        m_script.names.pop_front();
        if (m_script.onSave)
            m_script.onSave();
        return name;
    }

private:
    DialogScript &m_script;
};

// The real platform with the office helper of the build and dialogs that
// answer as the script says.
class ExportPlatform : public ForwardingPlatform
{
public:
    ExportPlatform(std::unique_ptr<Platform> real, DialogScript &script, const QString &helper)
        : ForwardingPlatform(std::move(real), [] { return createDesktopAudio(); }), m_script(script),
          m_office(createOfficeBridge(helper))
    {
    }
    std::unique_ptr<Dialogs> createDialogs(QWidget *) override { return std::make_unique<ScriptedDialogs>(m_script); }
    OfficeSuite &office() override { return *m_office; }

private:
    DialogScript &m_script;
    std::unique_ptr<OfficeSuite> m_office;
};

QByteArray pictureBytes()
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(QColor(0x30, 0x70, 0xc0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

const char *kBody = "<h1>Exported heading</h1>"
                    "<p>Accented letters: caff\xC3\xA8, na\xC3\xAFve, fa\xC3\xA7" "ade.</p>"
                    "<ul><li>First item</li><li>Second item</li></ul>"
                    "<table border='1'><tr><th>Fruit</th><th>Count</th></tr>"
                    "<tr><td>Apples</td><td>12</td></tr><tr><td>Pears</td><td>7</td></tr></table>"
                    "<p><img src='/pic.png' alt='a picture'></p>";

class Exports : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        // The templates as the build made them.
        for (const char *name : {"Template.Doc", "TemplateH.Doc"})
            QFile::copy(QStringLiteral(LORVA_BIN_DIR "/Data/") + name, folder.file(QStringLiteral("Data/") + name));
        server.addPage("/pic.png", pictureBytes());
        server.addPage("/export", page("Export test", kBody));
        MainWindowFixture::SetUp();
        type(server.url("/export"));
        ASSERT_TRUE(waitForLoad(0, server.url("/export")));
        // The start-up tail has set the template paths.
        ASSERT_TRUE(waitUntil([&] { return !ctx->exports.templatePath.isEmpty(); }, 3000));
        QDir().mkpath(out());
    }

    std::unique_ptr<Platform> makePlatform() override
    {
        return std::make_unique<ExportPlatform>(createRealPlatform(folder.path()), script, helper());
    }

    virtual QString helper() const { return QStringLiteral(LORVA_BIN_DIR "/lorvaspeak-office"); }

    QString out() const { return folder.file("out"); }

    // Chooses `file` in the save dialog of the export `key`, and waits for its end.
    void exportAs(const char *key, const QString &file)
    {
        script.names.push_back(out() + u'/' + file);
        ctx->dispatcher.click(elements::StartMenus, QString::fromLatin1(key));
    }

    QString pdfText(const QString &pdf) { return commandOutput("pdftotext", {"-layout", pdf, "-"}); }
    bool landscape(const QString &pdf)
    {
        const QString info = commandOutput("pdfinfo", {pdf});
        const QRegularExpressionMatch m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
        return m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
    }
    int pictures(const QString &pdf)
    {
        return int(commandOutput("pdfimages", {"-list", pdf}).count(QRegularExpression("\\n\\s+\\d+\\s+\\d+\\s+image")));
    }

    DialogScript script;
};

} // namespace

TEST_F(Exports, WordHoldsThePageInsideThePortraitTemplate)
{
    exportAs("SAVE:WORDH", "Page.doc");
    ASSERT_EQ(script.informations, QStringList({ctx->language.Captions[108] + out() + "/Page.doc"}))
        << qPrintable(script.failures.join('\n'));
    const QString pdf = officeConvert(out() + "/Page.doc", "pdf", folder.file("check"));
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = pdfText(pdf);
    for (const char *expected : {"Exported heading", "caff\u00E8, na\u00EFve, fa\u00E7ade", "First item", "Second item",
                                 "Apples", "Pears", "LorvaSpeak"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(text);
    EXPECT_FALSE(landscape(pdf));
    EXPECT_EQ(pictures(pdf), 1) << "the picture is not embedded";
    EXPECT_EQ(QDir(out()).entryList(QDir::Files | QDir::Hidden), QStringList({"Page.doc"}));
    EXPECT_EQ(window->windowOpacity(), 1.0);
}

TEST_F(Exports, WordLandscapeAndPdfAreLandscapeAndThePdfKeepsItsDocumentBeside)
{
    exportAs("SAVE:WORDV", "Wide.doc");
    exportAs("SAVE:PDF", "Page.pdf");
    ASSERT_EQ(script.informations.size(), 2) << qPrintable(script.failures.join('\n'));
    const QString wide = officeConvert(out() + "/Wide.doc", "pdf", folder.file("check"));
    EXPECT_TRUE(landscape(wide));
    EXPECT_TRUE(landscape(out() + "/Page.pdf"));
    const QString text = pdfText(out() + "/Page.pdf");
    EXPECT_TRUE(text.contains("Exported heading")) << qPrintable(text);
    EXPECT_TRUE(text.contains("Apples"));
    EXPECT_EQ(pictures(out() + "/Page.pdf"), 1);
    EXPECT_TRUE(QFileInfo::exists(out() + "/Page.doc"));
}

TEST_F(Exports, ExcelPutsTheTableInCellsAndASecondExportReplacesTheFirst)
{
    exportAs("SAVE:EXCEL", "Book.xls");
    ASSERT_EQ(script.informations.size(), 1) << qPrintable(script.failures.join('\n'));
    QString csv = officeConvert(out() + "/Book.xls", "csv", folder.file("check"));
    QFile first(csv);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QString cells = QString::fromLatin1(first.readAll());
    EXPECT_TRUE(cells.contains("Fruit,Count")) << qPrintable(cells);
    EXPECT_TRUE(cells.contains("Apples,12"));

    server.addPage("/other", page("Other", "<table><tr><td>Plums</td><td>3</td></tr></table>"));
    type(server.url("/other"));
    ASSERT_TRUE(waitForLoad(0, server.url("/other")));
    exportAs("SAVE:EXCEL", "Book.xls");
    ASSERT_EQ(script.informations.size(), 2) << qPrintable(script.failures.join(u'\n'));
    QFile::remove(csv);
    csv = officeConvert(out() + "/Book.xls", "csv", folder.file("check"));
    QFile second(csv);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    const QString replaced = QString::fromLatin1(second.readAll());
    EXPECT_TRUE(replaced.contains("Plums,3")) << qPrintable(replaced);
    EXPECT_FALSE(replaced.contains("Apples"));
}

TEST_F(Exports, KillingTheHelperMidWayLeavesNoOfficeAndNoFile)
{
    // A long page, so that the office is still at work when the helper goes.
    QByteArray rows;
    for (int i = 0; i < 4000; ++i)
        rows += "<tr><td>row " + QByteArray::number(i) + "</td><td>" + QByteArray::number(i * 7) + "</td></tr>";
    server.addPage("/long", page("Long", ("<table>" + rows + "</table>").constData()));
    type(server.url("/long"));
    ASSERT_TRUE(waitForLoad(0, server.url("/long")));
    script.onSave = [] {
        QTimer::singleShot(400, [] { QProcess::execute("pkill", {"-KILL", "-x", "lorvaspeak-offi"}); });
    };
    exportAs("SAVE:WORDH", "Long.doc");
    EXPECT_TRUE(script.informations.isEmpty());
    ASSERT_EQ(script.failures.size(), 1);
    EXPECT_TRUE(script.failures[0].startsWith(ctx->language.Captions[239]));
    EXPECT_TRUE(waitUntil([] { return officeProcesses() == 0; }, 5000)) << "an office outlived its helper";
    EXPECT_TRUE(QDir(out()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << qPrintable(QDir(out()).entryList(QDir::Files | QDir::Hidden).join(' '));
    EXPECT_EQ(window->windowOpacity(), 1.0);
}

class WithoutOffice : public Exports
{
protected:
    QString helper() const override { return folder.file("no-such-helper"); }
};

TEST_F(WithoutOffice, AnExportSaysSoAndWritesNothing)
{
    exportAs("SAVE:WORDH", "Page.doc");
    EXPECT_EQ(script.failures, QStringList({ctx->language.Captions[240]}));
    EXPECT_TRUE(script.informations.isEmpty());
    EXPECT_TRUE(QDir(out()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(window->windowOpacity(), 1.0);
}
