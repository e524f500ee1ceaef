#include "windows/frmAbout.h"

#include "commands/CommandBarView.h"
#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/MakeMenus.h"
#include "config/Geometry.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "platform/Platform.h"
#include "platform/Screens.h"
#include "windows/SecondaryWindows.h"
#include "windows/WindowBar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QUrl>

#ifndef LORVA_VERSION
#define LORVA_VERSION "0.0.0"
#endif

namespace lorva {

namespace {

const QString kStartPage = QStringLiteral("Data/Start.html");
const QString kHelpPage = QStringLiteral("Data/Help.html");

} // namespace

frmAbout::frmAbout(const QString &programFolder, const Language &language, CommandBars &bars, Dispatcher &dispatcher,
                   Platform &platform, int barStyle)
    : QWidget(nullptr, Qt::Dialog), m_images(CommandWindow::About), m_programFolder(programFolder),
      m_platform(platform)
{
    setObjectName(QStringLiteral("frmAbout"));
    const auto &C = language.Captions;
    setWindowTitle(C[196]);
    Make_WindowBars(bars, CommandWindow::About);
    bars.setCaption(keys::AboutOk, C[204]);
    bars.setCaption(keys::AboutHelp, C[205]);
    m_bar = new WindowBar(this, bars, dispatcher, m_images, Element{CommandWindow::About, 7},
                          keys::Standard7, {keys::AboutOk, keys::AboutHelp},
                          [this](const QString &key) {
                              if (key == keys::AboutHelp)
                                  linkTo(nullptr, kHelpPage);
                              close();
                          },
                          barStyle);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(132, 171, 227));
    palette.setColor(QPalette::WindowText, QColor(16, 32, 56));
    setPalette(palette);

    const int width = 6600;
    resize(toPixels(width), toPixels(4200));
    m_bar->view()->setGeometry(toPixels(TwipsRect{60, 60, width - 120, 400}));

    QLabel *picture = addLabel("Image1", QString(), 240, 480, 1000);
    picture->setPixmap(m_images.icon(2).pixmap(48, 48));
    picture->resize(48, 48);
    QLabel *title = addLabel("lblTitle", QStringLiteral("LorvaSpeak"), 1450, 420, 4000);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    addLabel("lblVersion", aboutVersion(language, QStringLiteral(LORVA_VERSION)), 1450, 820, 4000);
    linkTo(addLabel("Label1", QStringLiteral("\u00A9 LorvaSpeak"), 1450, 1080, 4000), kStartPage);
    linkTo(addLabel("lblDescription", C[197], 560, 1500, 5600), kStartPage);
    linkTo(addLabel("lbLinkA", kStartPage, 1380, 1800, 4800), kStartPage);
    addLabel("lbVisitB", C[197], 560, 2100, 0)->hide(); // the second site's line: there is no second site
    linkTo(addLabel("Label3", kHelpPage, 1380, 2100, 4800), kHelpPage);
    addLabel("lbDescr", C[199], 810, 2550, 5600);
    addLabel("lbDescrB", C[200], 810, 3030, 5600);
    addLabel("lblDisclaimer", C[202], 560, 3600, 5800);

    move(screenGeometry(this).center() - rect().center());
}

QLabel *frmAbout::addLabel(const char *name, const QString &text, int left, int top, int width)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setGeometry(toPixels(TwipsRect{left, top, width, 420}));
    return label;
}

QLabel *frmAbout::label(const char *name) const { return findChild<QLabel *>(QLatin1String(name)); }

void frmAbout::linkTo(QLabel *label, const QString &target)
{
    const QString url =
        QUrl::fromLocalFile(legacy::resolvePath(m_programFolder, target)).toString(QUrl::FullyEncoded);
    if (!label) {
        m_platform.desktop->open(url);
        return;
    }
    label->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0b2f6b\">%2</a>")
                       .arg(url, label->text().toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);
    label->setCursor(Qt::PointingHandCursor);
    connect(label, &QLabel::linkActivated, this, [this](const QString &link) { m_platform.desktop->open(link); });
}

} // namespace lorva
