#pragma once

// The real window with real LibreOffice for the export tests: a platform
// whose dialogs answer as a script says and whose office is the helper of
// the build, on a page served on 127.0.0.1, and ways to look into the
// documents made.
#include "export/OfficeExports.h"
#include "platform/Dialogs.h"
#include "platform/OfficeBridge.h"
#include "support/MainWindowFixture.h"
#include "support/Office.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>

#include <deque>

namespace lorva::test {


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
    bool question(const QString &) override { return false; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileNameAsking(const QString &, const QString &) override { return {}; }
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

// Makes every window's dialogs answer as `script` says.
inline void scriptDialogs(Platform &platform, DialogScript &script)
{
    platform.createDialogs = [&script](QWidget *) { return std::make_unique<ScriptedDialogs>(script); };
}

inline QByteArray pictureBytes(QSize size = {120, 80}, QColor colour = QColor(0x30, 0x70, 0xc0))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

inline const char *const kBody = "<h1>Exported heading</h1>"
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
        // The real platform with the office helper of the build and dialogs
        // that answer as the script says.
        std::unique_ptr<Platform> platform = createRealPlatform(folder.path());
        scriptDialogs(*platform, script);
        platform->office = createOfficeBridge(helper(), area());
        return platform;
    }

    virtual QString helper() const { return QStringLiteral(LORVA_BIN_DIR "/lorvaspeak-office"); }

    QString out() const { return folder.file("out"); }
    // The exports' temporary area, this test's own.
    QString area() const { return folder.file("office-temp"); }

    // Chooses `file` in the save dialog of the export `key`, and waits for its end.
    void exportAs(const QString &key, const QString &file)
    {
        script.names.push_back(out() + u'/' + file);
        ctx->dispatcher.click(elements::StartMenus, key);
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

} // namespace lorva::test
