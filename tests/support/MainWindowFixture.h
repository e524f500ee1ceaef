#pragma once

// The real main window with real Qt WebEngine views, in the test process,
// under the X display and window manager that the test command starts,
// against pages served on 127.0.0.1.
#include "addresses/History.h"
#include "app/Program.h"
#include "browser/frmStart.h"
#include "commands/CommandBarView.h"
#include "commands/ImageList.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"
#include "support/HttpServer.h"
#include "support/Person.h"
#include "support/TempFolder.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>


namespace lorva::test {

template <typename Predicate>
inline bool waitUntil(Predicate done, int timeoutMs = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

inline QByteArray page(const char *title, const char *body = "<p>Some text.</p>")
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title + "</title></head><body>" + body +
           "</body></html>";
}

// A program folder with the shipped files, and the running main window.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *sub : {"Data", "Languages"}) {
            const QDir dir(QStringLiteral(LORVA_DATA_DIR) + '/' + sub); // the shipped files only
            for (const QString &name : dir.entryList(QDir::Files))
                QFile::copy(dir.filePath(name), folder.file(QString::fromLatin1(sub) + '/' + name));
        }
        server.addPage("/", page("Home page"));
        folder.write("Data/lorvaspeak.Opt", ("1\r\n0\r\n0\r\n0\r\n" + server.url("/") + "\r\nEnglish\r\n").toUtf8());
        start();
    }

    void TearDown() override { stop(); }

    void start()
    {
        platform = makePlatform();
        program = std::make_unique<Program>(folder.path(), *platform);
        ctx = &program->context();
        window = &program->mainWindow();
        program->load(QDate::currentDate());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        window->QWidget::activateWindow();
        ASSERT_TRUE(waitForLoad(0, server.url("/")));
        // The rest of the start (link tables, the Favorites button enabled)
        // follows the first page: tests begin where a person would.
        ASSERT_TRUE(waitUntil([&] { return ctx->startupTailDone; }));
    }

    virtual std::unique_ptr<Platform> makePlatform() { return createRealPlatform(folder.path()); }

    void stop()
    {
        if (window)
            window->close();
        window = nullptr;
        ctx = nullptr;
        program.reset();
        platform.reset();
    }

    bool waitForLoad(int view, const QString &url)
    {
        return waitUntil([&] {
            BrowserView *v = window->Web(view);
            return v && v->LocationURL() == url && !v->Busy();
        });
    }

    // Clicks into the address box, types `text` over what it shows and
    // presses Enter, as a person does.
    void type(const QString &text)
    {
        person.click(Person::at(window->Text1()->lineEdit()));
        person.key("ctrl+a");
        person.type(text);
        person.key("Return");
    }

    // From aside: opens the drop-down of `button` on the main tool bar and
    // clicks its entry `key`. False when the menu or the entry is missing.
    bool choose(const QString &button, const QString &key)
    {
        CommandBarView *bar = window->cmdBar(0);
        QMenu *menu = nullptr;
        QPoint at;
        Person::onMain([&] {
            at = Person::at(bar->toolBar()->widgetForAction(bar->actionsOf(button).first()));
            menu = bar->menuOf(button);
        });
        person.click(at);
        if (!menu || !Person::waitFor([&] { return menu->isVisible(); }))
            return false;
        QPoint entry;
        Person::onMain([&] {
            for (QAction *action : menu->actions()) {
                if (action->objectName() == key)
                    entry = menu->mapToGlobal(menu->actionGeometry(action).center());
            }
        });
        if (entry.isNull())
            return false;
        person.click(entry);
        return true;
    }

    QPoint tabCentre(int index) const { return window->Tab1()->tabRect(index).center(); }

    TempFolder folder;
    HttpServer server;
    Person person;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<Program> program;
    AppContext *ctx = nullptr;
    frmStart *window = nullptr;
};

} // namespace lorva::test
