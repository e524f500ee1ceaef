// The least a Qt WebEngine browser can be: one window with a tab per address
// given, one view each, nothing else. The first-paint benchmark measures
// LorvaSpeak against it.
#include <QApplication>
#include <QTabWidget>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTabWidget tabs;
    for (const QString &address : QCoreApplication::arguments().mid(1)) {
        auto *view = new QWebEngineView;
        view->load(QUrl(address));
        tabs.addTab(view, address);
    }
    tabs.setGeometry(0, 0, 1280, 800);
    tabs.show();
    return app.exec();
}
