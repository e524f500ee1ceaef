// Files a page sends to be saved, through the real engine, the real save
// dialog and the status strip, as a person downloads them.
#include "support/MainWindowFixture.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRandomGenerator>

using namespace lorva;
using namespace lorva::test;

namespace {

QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, 0);
    QRandomGenerator generator(25);
    generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

const char *const kLinks = "<a id='data' href='/data.bin' style='position:absolute;left:10px;top:10px;width:300px;"
                           "height:60px;display:block'>The data</a>"
                           "<a id='slow' href='/slow.bin' style='position:absolute;left:10px;top:110px;width:300px;"
                           "height:60px;display:block'>The slow one</a>";

class SavingDownloads : public MainWindowFixture
{
};

} // namespace

TEST_F(SavingDownloads, ADownloadLandsUnderTheTypedNameAndACancelledOneLeavesTheOldFileAlone)
{
    const QByteArray data = noise(3 * 1024 * 1024 + 123);
    server.addDownload("/data.bin", data, "data.bin");
    server.addDownload("/slow.bin", noise(2 * 1024 * 1024), "slow.bin", 64 * 1024);
    server.addPage("/files", page("Files", kLinks));
    type(server.url("/files"));
    ASSERT_TRUE(waitForLoad(0, server.url("/files")));
    const QString out = folder.file("out");
    QDir().mkpath(out);
    folder.write("out/slow.bin", "kept as it was");

    QString suggested;
    QString title;
    QString message;
    QString messageTitle;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool asked = false;
    QString running;
    bool cancelled = false;
    const QPoint dataLink = Person::at(window->Web(0)->widget(), QPoint(60, 40));
    const QPoint slowLink = Person::at(window->Web(0)->widget(), QPoint(60, 140));
    const QPoint emptyPage = Person::at(window->Web(0)->widget(), QPoint(500, 300));
    person.aside([&] {
        QFileDialog *dialog = nullptr;
        const auto dialogShown = [&] {
            return Person::waitFor([&] { return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); },
                                   15000);
        };
        person.click(dataLink);
        if (!dialogShown())
            return;
        Person::onMain([&] {
            suggested = dialog->selectedFiles().value(0);
            title = dialog->windowTitle();
        });
        person.key("ctrl+a");
        person.type(out + "/saved data.bin");
        person.key("Return");
        QMessageBox *box = nullptr;
        if (!Person::waitFor([&] { return (box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())); }, 30000))
            return;
        Person::onMain([&] {
            message = box->text();
            messageTitle = box->windowTitle();
            icon = box->icon();
        });
        person.key("Return");
        Person::waitFor([] { return !QApplication::activeModalWidget(); });

        // The slow one, saved over a file that is there: the dialog asks first.
        person.click(slowLink);
        if (!dialogShown())
            return;
        person.key("ctrl+a");
        person.type(out + "/slow.bin");
        person.key("Return");
        QMessageBox *replace = nullptr;
        asked = Person::waitFor([&] { return (replace = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())); });
        if (!asked)
            return;
        person.key("alt+y");
        if (!Person::waitFor([&] { return window->statusBar()->text().contains("KB of 2.0 MB"); }, 15000))
            return;
        Person::onMain([&] { running = window->statusBar()->text(); });
        // Back in the window, as a person clicks into the page first.
        person.click(emptyPage);
        Person::waitFor([&] { return QApplication::activeWindow() == window; });
        person.key("Escape");
        cancelled = Person::waitFor([&] { return window->statusBar()->text() == "Download cancelled: slow.bin"; });
    });
    const auto &C = ctx->language.Captions;
    EXPECT_TRUE(suggested.endsWith("/data.bin")) << qPrintable(suggested);
    EXPECT_EQ(title, C[257]);
    EXPECT_EQ(message, C[262] + out + "/saved data.bin");
    EXPECT_EQ(messageTitle, "lorvaspeak");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(folder.read("out/saved data.bin"), data);
    EXPECT_TRUE(asked) << "the dialog did not ask before replacing slow.bin";
    EXPECT_TRUE(running.startsWith("Downloading slow.bin: ")) << qPrintable(running);
    EXPECT_TRUE(cancelled) << qPrintable(window->statusBar()->text());
    // Nothing of the cancelled download stays, and the file it was to replace is as it was.
    const QDir dir(out);
    EXPECT_TRUE(waitUntil([&] { return dir.entryList(QDir::Files | QDir::Hidden).size() == 2; }, 5000))
        << qPrintable(dir.entryList(QDir::Files | QDir::Hidden).join(", "));
    EXPECT_EQ(folder.read("out/slow.bin"), "kept as it was");
}
