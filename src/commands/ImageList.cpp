#include "commands/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cmath>

namespace lorva {

namespace {

enum class Flag {
    None, Vertical, Horizontal, Union, Nordic, NordicBordered, Greek, Disc, Crescent, Star, Czech, Catalan
};

struct Spec
{
    const char *key;
    const char *theme;            // freedesktop icon name, or nullptr
    const char16_t *glyph;        // drawn when no theme has the icon
    QRgb colour;
    Flag flag = Flag::None;
    std::vector<QRgb> colours {};  // stripes or field colours of a flag
    std::vector<int> weights {};   // relative stripe sizes
};

constexpr QRgb kRed = 0xffce2b37, kWhite = 0xffffffff, kGreen = 0xff009246, kBlue = 0xff0055a4,
               kBlack = 0xff000000, kGold = 0xffffce00, kYellow = 0xffffc400, kNavy = 0xff012169,
               kSky = 0xff0d5eaf, kOrange = 0xffff883e;

// Position in the vector is the image's index.
std::vector<Spec> specs()
{
    std::vector<Spec> s(144, Spec{"#spare", nullptr, u"\u2022", 0xff7f8c8d});
    auto set = [&](int i, const char *key, const char *theme, const char16_t *glyph, QRgb colour) {
        s[size_t(i)] = Spec{key, theme, glyph, colour};
    };
    auto flag = [&](int i, const char *key, Flag kind, std::vector<QRgb> colours, std::vector<int> weights = {}) {
        s[size_t(i)] = Spec{key, nullptr, u"", 0, kind, std::move(colours), std::move(weights)};
    };
    set(0, "#exit", "system-log-out", u"\u2715", 0xffc0392b);
    set(1, "#back", "go-previous", u"\u2190", 0xff2e86c1);
    set(2, "#next", "go-next", u"\u2192", 0xff2e86c1);
    set(3, "#stop", "process-stop", u"\u25A0", 0xffc0392b);
    set(4, "#refresh", "view-refresh", u"\u27F3", 0xff27ae60);
    set(5, "#print", "document-print", u"\u2399", 0xff566573);
    set(6, "#save", "document-save", u"\u2193", 0xff2874a6);
    set(7, "#edit", "accessories-text-editor", u"\u270E", 0xff8e44ad);
    set(8, "#links", "x-office-address-book", u"\u2605", 0xffd4ac0d);
    set(9, "#look", "preferences-desktop-theme", u"\u25D1", 0xff5d6d7e);
    set(10, "#search", "system-search", u"\u2315", 0xff2e86c1);
    set(13, "#websearch", "system-search", u"\u2315", 0xff2e86c1);
    set(15, "#bookmark", "bookmark-new", u"\u2606", 0xffd4ac0d);
    set(16, "#home", "go-home", u"\u2302", 0xff27ae60);
    set(18, "#speak", "media-playback-start", u"\u25B6", 0xff27ae60);
    set(19, "#about", "dialog-information", u"i", 0xff2e86c1);
    set(22, "#minimise", "go-bottom", u"\u2581", 0xff566573);
    set(26, "#archive", "text-html", u"\u2317", 0xffca6f1e);
    set(27, "#word", "x-office-document", u"W", 0xff2874a6);
    set(28, "#wordwide", "x-office-document", u"W", 0xff1f618d);
    set(29, "#excel", "x-office-spreadsheet", u"X", 0xff1e8449);
    set(30, "#slide", "x-office-presentation", u"P", 0xffca6f1e);
    set(32, "#pdf", nullptr, u"PDF", 0xffc0392b);
    set(33, "#voice4", nullptr, u"\u266A", 0xff884ea0);
    set(34, "#voice1", nullptr, u"\u266A", 0xff2e86c1);
    set(35, "#voice2", nullptr, u"\u266A", 0xff27ae60);
    set(36, "#voice3", nullptr, u"\u266A", 0xffca6f1e);
    set(37, "#volume", "audio-volume-medium", u"\u266B", 0xff566573);
    set(46, "#browser", "internet-web-browser", u"\u25CE", 0xff2e86c1);
    set(47, "#network", "network-wired", u"\u21C4", 0xff566573);
    set(48, "#privacy", "system-lock-screen", u"\u26BF", 0xff566573);
    set(50, "#voices", "audio-volume-high", u"\u266B", 0xff884ea0);
    set(58, "#pagesetup", "preferences-system", u"\u2699", 0xff566573);
    set(59, "#preview", "document-print-preview", u"\u2399", 0xff566573);
    set(60, "#print2", "document-print", u"\u2399", 0xff566573);
    set(61, "#cut", "edit-cut", u"\u2702", 0xff566573);
    set(62, "#copy", "edit-copy", u"\u2750", 0xff566573);
    set(63, "#paste", "edit-paste", u"\u2398", 0xff566573);
    set(64, "#find", "edit-find", u"\u2315", 0xff566573);
    set(66, "#languagefile", "text-x-generic", u"\u00B6", 0xff566573);
    set(67, "#selectall", "edit-select-all", u"\u2B1A", 0xff566573);
    set(68, "#delete", "edit-delete", u"\u2717", 0xffc0392b);
    set(69, "#source", "text-x-script", u"</>", 0xff566573);
    set(71, "#gobookmark", "go-jump", u"\u21B7", 0xffd4ac0d);
    set(72, "#floating", "view-fullscreen", u"\u21F1", 0xff566573);
    set(73, "#navigate", "go-jump", u"\u21B7", 0xff2e86c1);
    set(75, "#classic", "preferences-desktop-theme", u"\u25D2", 0xff1f618d);
    set(76, "#dark", "preferences-desktop-theme", u"\u25D3", 0xff17202a);
    set(77, "#help", "help-browser", u"?", 0xff2e86c1);
    set(78, "#picture", "camera-photo", u"\u25A3", 0xff566573);
    set(79, "#properties", "document-properties", u"\u2139", 0xff566573);
    set(80, "#translate", "preferences-desktop-locale", u"\u6587", 0xff2e86c1);
    set(81, "#file", "system-file-manager", u"\u2630", 0xff566573);
    set(83, "#pickhome", "user-home", u"\u2302", 0xffd4ac0d);
    set(96, "#speechon", "audio-volume-high", u"\u266B", 0xff27ae60);
    set(104, "#world", "internet-web-browser", u"\u25CE", 0xff2e86c1);
    set(105, "#languages", "preferences-desktop-locale", u"\u6587", 0xff2e86c1);
    set(106, "#otherlanguage", nullptr, u"\u25CE", 0xff5d6d7e);
    set(119, "#newlanguage", "document-new", u"+", 0xff27ae60);
    set(121, "#move", nullptr, u"\u2725", 0xff566573);
    set(122, "#dictionary", nullptr, u"Aa", 0xff1f618d);
    set(123, "#map", nullptr, u"\u2316", 0xff1e8449);
    set(124, "#social", "internet-group-chat", u"\u263A", 0xff884ea0);
    set(125, "#shopping", nullptr, u"\u20AC", 0xffca6f1e);
    set(127, "#speed", "media-seek-forward", u"\u23E9", 0xff566573);
    set(128, "#stopspeaking", "media-playback-stop", u"\u25A0", 0xffc0392b);
    set(85, "#savespeech", "document-save-as", u"\u266B", 0xff2874a6);
    set(86, "#readpage", "media-playback-start", u"\u25B6", 0xff27ae60);
    set(87, "#previoussentence", "media-skip-backward", u"\u23EE", 0xff566573);
    set(88, "#nextsentence", "media-skip-forward", u"\u23ED", 0xff566573);
    set(84, "#pause", "media-playback-pause", u"\u2016", 0xff566573);
    set(132, "#speechoff", "audio-volume-muted", u"\u2205", 0xff7f8c8d);

    flag(107, "en-english", Flag::Union, {kNavy, kWhite, 0xffc8102e});
    flag(108, "it-italian", Flag::Vertical, {kGreen, kWhite, kRed});
    flag(109, "fr-french", Flag::Vertical, {kBlue, kWhite, 0xffef4135});
    flag(110, "de-deutsch", Flag::Horizontal, {kBlack, 0xffdd0000, kGold});
    flag(111, "ge-german", Flag::Horizontal, {kBlack, 0xffdd0000, kGold});
    flag(112, "es-espanol", Flag::Horizontal, {0xffaa151b, 0xfff1bf00, 0xffaa151b}, {1, 2, 1});
    flag(113, "sp-spanish", Flag::Horizontal, {0xffaa151b, 0xfff1bf00, 0xffaa151b}, {1, 2, 1});
    flag(114, "po-portuguese", Flag::Vertical, {0xff006600, 0xffff0000}, {2, 3});
    flag(115, "ne-nederlands", Flag::Horizontal, {0xffae1c28, kWhite, 0xff21468b});
    flag(116, "du-dutch", Flag::Horizontal, {0xffae1c28, kWhite, 0xff21468b});
    flag(117, "ru-russian", Flag::Horizontal, {kWhite, 0xff0039a6, 0xffd52b1e});
    flag(118, "gr-greek", Flag::Greek, {kSky, kWhite});
    flag(120, "sw-swedish", Flag::Nordic, {0xff006aa7, 0xfffecc00});
    flag(126, "da-danish", Flag::Nordic, {0xffc8102e, kWhite});
    flag(129, "no-norwegian", Flag::NordicBordered, {0xffba0c2f, kWhite, 0xff00205b});
    flag(130, "fi-finnish", Flag::Nordic, {kWhite, 0xff002f6c});
    flag(131, "ro-romanian", Flag::Vertical, {0xff002b7f, 0xfffcd116, 0xffce1126});
    flag(133, "hu-hungarian", Flag::Horizontal, {0xffce2939, kWhite, 0xff477050});
    flag(134, "cz-czech", Flag::Czech, {kWhite, 0xffd7141a, 0xff11457e});
    flag(135, "tu-turkish", Flag::Crescent, {0xffe30a17, kWhite});
    flag(136, "ja-japanese", Flag::Disc, {kWhite, 0xffbc002d});
    flag(137, "ch-chinese", Flag::Star, {0xffee1c25, 0xffffff00});
    flag(138, "ir-irish", Flag::Vertical, {0xff169b62, kWhite, kOrange});
    flag(139, "be-belgian", Flag::Vertical, {kBlack, 0xfffdda24, 0xffef3340});
    flag(140, "au-austrian", Flag::Horizontal, {0xffed2939, kWhite, 0xffed2939});
    flag(141, "po-polish", Flag::Horizontal, {kWhite, 0xffdc143c});
    flag(142, "uk-ukrainian", Flag::Horizontal, {0xff0057b7, 0xffffd700});
    flag(143, "ca-catalan", Flag::Catalan, {0xfffcdd09, 0xffda121a});
    return s;
}

void drawStripes(QPainter &p, const QRectF &r, const Spec &spec, bool vertical)
{
    int total = 0;
    for (size_t i = 0; i < spec.colours.size(); ++i)
        total += spec.weights.empty() ? 1 : spec.weights[i];
    double at = 0;
    for (size_t i = 0; i < spec.colours.size(); ++i) {
        const double part = (spec.weights.empty() ? 1 : spec.weights[i]) / double(total);
        const QRectF band = vertical ? QRectF(r.left() + at * r.width(), r.top(), part * r.width() + 0.5, r.height())
                                     : QRectF(r.left(), r.top() + at * r.height(), r.width(), part * r.height() + 0.5);
        p.fillRect(band, QColor::fromRgba(spec.colours[i]));
        at += part;
    }
}

void drawNordic(QPainter &p, const QRectF &r, QRgb field, QRgb cross, QRgb inner, bool bordered)
{
    p.fillRect(r, QColor::fromRgba(field));
    const double w = r.height() / (bordered ? 3.5 : 5.0);
    const double x = r.left() + r.width() * 0.36;
    p.fillRect(QRectF(x - w / 2, r.top(), w, r.height()), QColor::fromRgba(cross));
    p.fillRect(QRectF(r.left(), r.center().y() - w / 2, r.width(), w), QColor::fromRgba(cross));
    if (bordered) {
        const double v = w / 2;
        p.fillRect(QRectF(x - v / 2, r.top(), v, r.height()), QColor::fromRgba(inner));
        p.fillRect(QRectF(r.left(), r.center().y() - v / 2, r.width(), v), QColor::fromRgba(inner));
    }
}

void drawFlag(QPainter &p, const QRectF &r, const Spec &spec)
{
    const auto c = [&](size_t i) { return QColor::fromRgba(spec.colours[i]); };
    switch (spec.flag) {
    case Flag::Vertical:
        drawStripes(p, r, spec, true);
        break;
    case Flag::Horizontal:
        drawStripes(p, r, spec, false);
        break;
    case Flag::Union: {
        p.fillRect(r, c(0));
        p.setClipRect(r);
        p.setPen(QPen(c(1), r.height() / 4.0));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(QPen(c(2), r.height() / 10.0));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        const double w = r.height() / 3.0;
        p.fillRect(QRectF(r.center().x() - w / 2, r.top(), w, r.height()), c(1));
        p.fillRect(QRectF(r.left(), r.center().y() - w / 2, r.width(), w), c(1));
        const double v = r.height() / 5.0;
        p.fillRect(QRectF(r.center().x() - v / 2, r.top(), v, r.height()), c(2));
        p.fillRect(QRectF(r.left(), r.center().y() - v / 2, r.width(), v), c(2));
        p.setClipping(false);
        break;
    }
    case Flag::Nordic:
        drawNordic(p, r, spec.colours[0], spec.colours[1], 0, false);
        break;
    case Flag::NordicBordered:
        drawNordic(p, r, spec.colours[0], spec.colours[1], spec.colours[2], true);
        break;
    case Flag::Greek: {
        for (int i = 0; i < 9; ++i)
            p.fillRect(QRectF(r.left(), r.top() + i * r.height() / 9, r.width(), r.height() / 9 + 0.5),
                       i % 2 ? c(1) : c(0));
        const QRectF canton(r.left(), r.top(), r.height() * 5 / 9, r.height() * 5 / 9);
        p.fillRect(canton, c(0));
        const double w = canton.height() / 5;
        p.fillRect(QRectF(canton.center().x() - w / 2, canton.top(), w, canton.height()), c(1));
        p.fillRect(QRectF(canton.left(), canton.center().y() - w / 2, canton.width(), w), c(1));
        break;
    }
    case Flag::Disc:
        p.fillRect(r, c(0));
        p.setBrush(c(1));
        p.setPen(Qt::NoPen);
        p.drawEllipse(r.center(), r.height() * 0.3, r.height() * 0.3);
        break;
    case Flag::Crescent: {
        p.fillRect(r, c(0));
        p.setPen(Qt::NoPen);
        p.setBrush(c(1));
        const QPointF centre(r.left() + r.width() * 0.38, r.center().y());
        p.drawEllipse(centre, r.height() * 0.25, r.height() * 0.25);
        p.setBrush(c(0));
        p.drawEllipse(centre + QPointF(r.height() * 0.07, 0), r.height() * 0.2, r.height() * 0.2);
        break;
    }
    case Flag::Star: {
        p.fillRect(r, c(0));
        QPolygonF star;
        const QPointF centre(r.left() + r.width() * 0.22, r.top() + r.height() * 0.3);
        const double outer = r.height() * 0.2, inner = outer * 0.4;
        for (int i = 0; i < 10; ++i) {
            const double angle = -M_PI / 2 + i * M_PI / 5;
            const double radius = i % 2 ? inner : outer;
            star << centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(c(1));
        p.drawPolygon(star);
        break;
    }
    case Flag::Czech: {
        p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2), c(0));
        p.fillRect(QRectF(r.left(), r.center().y(), r.width(), r.height() / 2), c(1));
        QPolygonF wedge;
        wedge << r.topLeft() << QPointF(r.left() + r.width() / 2, r.center().y()) << r.bottomLeft();
        p.setPen(Qt::NoPen);
        p.setBrush(c(2));
        p.drawPolygon(wedge);
        break;
    }
    case Flag::Catalan:
        for (int i = 0; i < 9; ++i)
            p.fillRect(QRectF(r.left(), r.top() + i * r.height() / 9, r.width(), r.height() / 9 + 0.5),
                       i % 2 ? c(1) : c(0));
        break;
    case Flag::None:
        break;
    }
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

QPixmap drawn(const Spec &spec, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (spec.flag != Flag::None) {
        const double h = size * 0.7;
        drawFlag(p, QRectF(0, (size - h) / 2, size, h), spec);
        return pixmap;
    }
    const QRectF r(1, 1, size - 2, size - 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(spec.colour));
    p.drawRoundedRect(r, size / 5.0, size / 5.0);
    const QString glyph = QString::fromUtf16(spec.glyph);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(glyph.size() > 1 ? size * 2 / 5 : size * 2 / 3);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, glyph);
    return pixmap;
}

// The link-table window's and the link-row editor's own lists.
std::vector<Spec> windowSpecs(CommandWindow window)
{
    std::vector<Spec> s(10, Spec{"#spare", nullptr, u"\u2022", 0xff7f8c8d});
    auto set = [&](int i, const char *key, const char *theme, const char16_t *glyph, QRgb colour) {
        s[size_t(i)] = Spec{key, theme, glyph, colour};
    };
    set(0, "#exit", "system-log-out", u"\u2715", 0xffc0392b);
    if (window == CommandWindow::Table) {
        set(1, "#add", "list-add", u"+", 0xff27ae60);
        set(2, "#editlink", "document-properties", u"\u270E", 0xff8e44ad);
        set(3, "#open", "go-jump", u"\u21AA", 0xff2e86c1);
        set(6, "#sort", "view-sort-ascending", u"A\u2193", 0xff5d6d7e);
        set(7, "#save", "document-save", u"\u2193", 0xff2874a6);
        set(8, "#help", "help-browser", u"?", 0xff2e86c1);
        set(9, "#rename", "format-text-bold", u"T", 0xffca6f1e);
    } else if (window == CommandWindow::RowEditor) {
        set(1, "#clear", "edit-clear", u"\u232B", 0xffc0392b);
        set(2, "#save", "document-save", u"\u2193", 0xff2874a6);
    } else if (window == CommandWindow::LanguageEditor) {
        set(0, "#close", "window-close", u"\u2715", 0xffc0392b);
        set(1, "#save", "document-save", u"\u2193", 0xff2874a6);
    } else if (window == CommandWindow::Question) {
        set(0, "#yes", "dialog-ok", u"\u2713", 0xff27ae60);
        set(1, "#no", "dialog-cancel", u"\u2715", 0xffc0392b);
    } else if (window == CommandWindow::About) {
        set(0, "#ok", "dialog-ok", u"\u2713", 0xff27ae60);
        set(1, "#help", "help-browser", u"?", 0xff2e86c1);
        set(2, "#program", "internet-web-browser", u"\u266B", 0xff2e86c1);
    }
    return s;
}

} // namespace

struct ImageList::Image
{
    Spec spec;
};

ImageList::ImageList(CommandWindow window)
{
    for (Spec &s : window == CommandWindow::Start ? specs() : windowSpecs(window))
        m_images.push_back(std::make_unique<Image>(Image{std::move(s)}));
    m_cache.resize(m_images.size());
}

ImageList::~ImageList() = default;

QString ImageList::key(int oneBased) const
{
    if (oneBased < 1 || oneBased > count())
        return {};
    return QString::fromLatin1(m_images[size_t(oneBased - 1)]->spec.key);
}

QIcon ImageList::icon(int index) const
{
    if (index < 0 || index >= count())
        return {};
    QIcon &cached = m_cache[size_t(index)];
    if (!cached.isNull())
        return cached;
    const Spec &spec = m_images[size_t(index)]->spec;
    if (spec.theme && QIcon::hasThemeIcon(QString::fromLatin1(spec.theme)))
        cached = QIcon::fromTheme(QString::fromLatin1(spec.theme));
    if (cached.isNull()) {
        for (int size : {16, 22, 24, 32, 48})
            cached.addPixmap(drawn(spec, size));
    }
    return cached;
}

void useIconThemes()
{
    QIcon::setFallbackThemeName(QStringLiteral("Tango"));
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Tango"));
}

} // namespace lorva
