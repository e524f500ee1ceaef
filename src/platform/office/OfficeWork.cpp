#include "platform/office/OfficeWork.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/graphic/XGraphicProvider.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheets2.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <osl/file.hxx>
#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <rtl/ustring.hxx>

#include <atomic>
#include <filesystem>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace com::sun::star;
using rtl::OUString;
using rtl::OUStringToOString;
using com::sun::star::uno::Any;
using com::sun::star::uno::Reference;
using com::sun::star::uno::Sequence;
using com::sun::star::uno::UNO_QUERY;
using com::sun::star::uno::UNO_QUERY_THROW;

namespace lorva::office {

namespace {

// The temporary name being written, kept where a signal handler can read it.
char g_writing[4096] = {};

OUString u(const std::string &text) { return OUString::fromUtf8(text.c_str()); }

std::string s(const OUString &text) { return OUStringToOString(text, RTL_TEXTENCODING_UTF8).getStr(); }

std::string s8(const QString &text) { return text.toStdString(); }

// A file URL, every character that needs it escaped.
OUString fileUrl(const std::string &path)
{
    OUString url;
    osl::FileBase::getFileURLFromSystemPath(u(path), url);
    return url;
}

beans::PropertyValue property(const char *name, const Any &value)
{
    beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

// A name in the target's folder that nobody else uses, so that the chosen
// file is replaced only by a complete document.
std::string temporaryBeside(const std::string &target)
{
    const std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::random_device random;
    return folder + "/.~lorva-" + std::to_string(random() % 1000000000u) + "-" + name;
}

// Closes a document whatever happens to the work in it.
struct Document
{
    Reference<lang::XComponent> component;
    ~Document()
    {
        if (!component.is())
            return;
        try {
            Reference<util::XCloseable> closeable(component, UNO_QUERY);
            if (closeable.is())
                closeable->close(true);
            else
                component->dispose();
        } catch (...) {
        }
    }
};

bool fileExists(const std::string &path) { return access(path.c_str(), F_OK) == 0; }

} // namespace

struct OfficeWork::Impl
{
    std::string folder;
    Reference<uno::XComponentContext> remote;
    Reference<frame::XDesktop2> desktop;

    // A copy of `path` in the private folder, under the same name, for the
    // office to open instead of the user's file.
    std::string privateCopy(const std::string &path)
    {
        const std::string copy = folder + "/" + path.substr(path.rfind('/') + 1);
        std::error_code failed;
        std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing, failed);
        if (failed)
            throw std::runtime_error("cannot copy " + path + ": " + failed.message());
        return copy;
    }

    Reference<lang::XComponent> load(const std::string &url, const char *filter)
    {
        std::vector<beans::PropertyValue> props{property("Hidden", Any(true))};
        if (filter)
            props.push_back(property("FilterName", Any(OUString::createFromAscii(filter))));
        const Reference<frame::XComponentLoader> loader(desktop, UNO_QUERY_THROW);
        Reference<lang::XComponent> doc = loader->loadComponentFromURL(
            url.rfind("private:", 0) == 0 ? u(url) : fileUrl(url), "_blank", 0,
            Sequence<beans::PropertyValue>(props.data(), sal_Int32(props.size())));
        if (!doc.is())
            throw std::runtime_error("cannot open " + url);
        return doc;
    }

    // A spreadsheet with no window and no view: the office's hidden views
    // of spreadsheets paint their overlays from its idle loop, and now and
    // then that crashes the whole office in the middle of an export. Empty
    // when `url` is empty, else loaded from it with `filter`.
    Reference<lang::XComponent> sheetModel(const std::string &url, const char *filter)
    {
        const Reference<lang::XMultiComponentFactory> factory = remote->getServiceManager();
        const Reference<frame::XLoadable> loadable(
            factory->createInstanceWithContext("com.sun.star.sheet.SpreadsheetDocument", remote), UNO_QUERY_THROW);
        if (url.empty()) {
            loadable->initNew();
        } else {
            const beans::PropertyValue props[] = {property("URL", Any(fileUrl(url))),
                                                  property("FilterName", Any(OUString::createFromAscii(filter)))};
            loadable->load(Sequence<beans::PropertyValue>(props, 2));
        }
        return Reference<lang::XComponent>(loadable, UNO_QUERY_THROW);
    }

    // Stores under a temporary name beside `target`, then renames it over.
    void store(const Reference<lang::XComponent> &doc, const std::string &target, const char *filter)
    {
        const std::string temporary = temporaryBeside(target);
        std::snprintf(g_writing, sizeof g_writing, "%s", temporary.c_str());
        const Reference<frame::XStorable> storable(doc, UNO_QUERY_THROW);
        const beans::PropertyValue props[] = {property("FilterName", Any(OUString::createFromAscii(filter))),
                                              property("Overwrite", Any(true))};
        try {
            storable->storeToURL(fileUrl(temporary), Sequence<beans::PropertyValue>(props, 2));
        } catch (...) {
            unlink(temporary.c_str());
            g_writing[0] = 0;
            throw;
        }
        // The office says nothing of a filter it does not know: look.
        if (!fileExists(temporary))
            throw std::runtime_error("the office wrote no file for " + target);
        if (std::rename(temporary.c_str(), target.c_str()) != 0) {
            const std::string why = std::strerror(errno);
            unlink(temporary.c_str());
            g_writing[0] = 0;
            throw std::runtime_error("cannot write " + target + ": " + why);
        }
        g_writing[0] = 0;
    }

    static void setLandscape(const Reference<lang::XComponent> &doc)
    {
        const Reference<style::XStyleFamiliesSupplier> families(doc, UNO_QUERY_THROW);
        Reference<container::XNameAccess> pageStyles(families->getStyleFamilies()->getByName("PageStyles"),
                                                     UNO_QUERY_THROW);
        const Reference<beans::XPropertySet> style(pageStyles->getByName("Standard"), UNO_QUERY_THROW);
        if (style->getPropertyValue("IsLandscape").get<bool>())
            return;
        const sal_Int32 width = style->getPropertyValue("Width").get<sal_Int32>();
        const sal_Int32 height = style->getPropertyValue("Height").get<sal_Int32>();
        style->setPropertyValue("IsLandscape", Any(true));
        style->setPropertyValue("Width", Any(std::max(width, height)));
        style->setPropertyValue("Height", Any(std::min(width, height)));
    }

    // A text document holding the page: the template, or a new landscape one.
    Reference<lang::XComponent> pageInWriter(const OfficeJob &job)
    {
        if (!fileExists(s8(job.source)))
            throw std::runtime_error("the captured page is missing: " + s8(job.source));
        Reference<lang::XComponent> doc;
        if (!job.templatePath.isEmpty()) {
            if (!fileExists(s8(job.templatePath)))
                throw std::runtime_error("the template is missing: " + s8(job.templatePath));
            doc = load(privateCopy(s8(job.templatePath)), nullptr);
        } else {
            doc = load("private:factory/swriter", nullptr);
            if (job.landscape)
                setLandscape(doc);
        }
        const Reference<text::XTextDocument> text(doc, UNO_QUERY_THROW);
        const Reference<text::XTextCursor> cursor = text->getText()->createTextCursor();
        cursor->gotoEnd(false);
        const Reference<document::XDocumentInsertable> insertable(cursor, UNO_QUERY_THROW);
        const beans::PropertyValue props[] = {property("FilterName", Any(OUString("HTML (StarWriter)")))};
        insertable->insertDocumentFromURL(fileUrl(s8(job.source)), Sequence<beans::PropertyValue>(props, 1));
        return doc;
    }

    void excel(const OfficeJob &job)
    {
        if (!fileExists(s8(job.source)))
            throw std::runtime_error("the captured page is missing: " + s8(job.source));
        // The spreadsheet's HTML import goes wrong (the office even crashes)
        // with a page whose name does not end in .html: it reads a copy.
        const std::string copy = folder + "/page.html";
        std::error_code failed;
        std::filesystem::copy_file(s8(job.source), copy, std::filesystem::copy_options::overwrite_existing, failed);
        if (failed)
            throw std::runtime_error("cannot copy the captured page: " + failed.message());
        Document page;
        page.component = sheetModel(copy, "HTML (StarCalc)");
        Document book{sheetModel({}, nullptr)};
        const Reference<sheet::XSpreadsheetDocument> from(page.component, UNO_QUERY_THROW);
        const Sequence<OUString> names = from->getSheets()->getElementNames();
        if (names.getLength() == 0)
            throw std::runtime_error("the page gave no sheet");
        const Reference<sheet::XSpreadsheetDocument> to(book.component, UNO_QUERY_THROW);
        const Reference<sheet::XSpreadsheets2> sheets(to->getSheets(), UNO_QUERY_THROW);
        // A new sheet, before the first, holding the page, named after it
        // (a sheet name is at most 31 characters, without []*?:/\).
        sheets->importSheet(from, names[0], 0);
        OUString name = u(s8(job.title)).trim();
        for (const sal_Unicode c : {u'[', u']', u'*', u'?', u':', u'/', u'\\'})
            name = name.replace(c, u' ');
        name = name.copy(0, std::min<sal_Int32>(name.getLength(), 31)).trim();
        if (!name.isEmpty() && !sheets->hasByName(name)) {
            const Reference<container::XIndexAccess> byIndex(sheets, UNO_QUERY_THROW);
            const Reference<container::XNamed> sheet(byIndex->getByIndex(0), UNO_QUERY_THROW);
            sheet->setName(name);
        }
        store(book.component, s8(job.target), "MS Excel 97");
    }

    int slide(const OfficeJob &job)
    {
        if (!fileExists(s8(job.source)))
            throw std::runtime_error("the picture is missing: " + s8(job.source));
        const bool adding = fileExists(s8(job.target));
        Document show{adding ? load(privateCopy(s8(job.target)), nullptr) : load("private:factory/simpress", nullptr)};
        const Reference<drawing::XDrawPagesSupplier> supplier(show.component, UNO_QUERY_THROW);
        const Reference<drawing::XDrawPages> pages = supplier->getDrawPages();
        // A new presentation has its first, empty slide already: it is the one.
        Reference<drawing::XDrawPage> page;
        if (adding || pages->getCount() == 0)
            page = pages->insertNewByIndex(pages->getCount() - 1);
        else
            pages->getByIndex(0) >>= page;
        if (!page.is())
            throw std::runtime_error("cannot add a slide");
        const Reference<beans::XPropertySet> pageProps(page, UNO_QUERY_THROW);
        try {
            pageProps->setPropertyValue("Layout", Any(sal_Int16(20))); // blank
        } catch (...) {
        }
        while (page->getCount() > 0) {
            Reference<drawing::XShape> placeholder;
            page->getByIndex(0) >>= placeholder;
            page->remove(placeholder);
        }
        const Reference<graphic::XGraphicProvider> provider = graphic::GraphicProvider::create(remote);
        const beans::PropertyValue props[] = {property("URL", Any(fileUrl(s8(job.source))))};
        const Reference<graphic::XGraphic> picture = provider->queryGraphic(Sequence<beans::PropertyValue>(props, 1));
        if (!picture.is())
            throw std::runtime_error("cannot read the picture");
        const Reference<lang::XMultiServiceFactory> factory(show.component, UNO_QUERY_THROW);
        const Reference<drawing::XShape> shape(factory->createInstance("com.sun.star.drawing.GraphicObjectShape"),
                                               UNO_QUERY_THROW);
        Reference<beans::XPropertySet>(shape, UNO_QUERY_THROW)->setPropertyValue("Graphic", Any(picture));
        page->add(shape);
        // The picture fills the slide, its shape kept.
        const sal_Int32 width = pageProps->getPropertyValue("Width").get<sal_Int32>();
        const sal_Int32 height = pageProps->getPropertyValue("Height").get<sal_Int32>();
        const Reference<beans::XPropertySet> pictureProps(picture, UNO_QUERY_THROW);
        awt::Size pixels;
        pictureProps->getPropertyValue("SizePixel") >>= pixels;
        double scale = 1;
        if (pixels.Width > 0 && pixels.Height > 0)
            scale = std::min(double(width) / pixels.Width, double(height) / pixels.Height);
        const awt::Size size(sal_Int32(pixels.Width > 0 ? pixels.Width * scale : width),
                             sal_Int32(pixels.Height > 0 ? pixels.Height * scale : height));
        shape->setSize(size);
        shape->setPosition(awt::Point((width - size.Width) / 2, (height - size.Height) / 2));
        const int number = int(pages->getCount());
        store(show.component, s8(job.target), "MS PowerPoint 97");
        return number;
    }
};

OfficeWork::OfficeWork(std::string folder) : d(std::make_unique<Impl>())
{
    d->folder = std::move(folder);
}

OfficeWork::~OfficeWork() = default;

const char *OfficeWork::writing() { return g_writing; }

bool OfficeWork::connect(const std::string &url, int ms, bool (*alive)(void *), void *data, std::string &error)
{
    try {
        const Reference<uno::XComponentContext> local = cppu::defaultBootstrap_InitialComponentContext();
        const Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(local);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            try {
                d->remote.set(resolver->resolve(u(url)), UNO_QUERY_THROW);
                d->desktop = frame::Desktop::create(d->remote);
                return true;
            } catch (const uno::Exception &e) {
                if (std::chrono::steady_clock::now() > until || !alive(data)) {
                    error = "cannot connect to the office: " + s(e.Message);
                    return false;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    } catch (const uno::Exception &e) {
        error = "the office's libraries do not start: " + s(e.Message);
        return false;
    }
}

OfficeResult OfficeWork::run(const OfficeJob &job)
{
    OfficeResult result;
    try {
        switch (job.kind) {
        case OfficeJob::Kind::Word: {
            Document doc{d->pageInWriter(job)};
            d->store(doc.component, s8(job.target), "MS Word 97");
            break;
        }
        case OfficeJob::Kind::Pdf: {
            Document doc{d->pageInWriter(job)};
            d->store(doc.component, s8(job.intermediate), "MS Word 97");
            d->store(doc.component, s8(job.target), "writer_pdf_Export");
            break;
        }
        case OfficeJob::Kind::Excel:
            d->excel(job);
            break;
        case OfficeJob::Kind::Slide:
            result.slides = d->slide(job);
            break;
        }
        result.ok = true;
    } catch (const uno::Exception &e) {
        result.error = QString::fromStdString(s(e.Message));
        if (result.error.isEmpty())
            result.error = QStringLiteral("the office refused the work");
    } catch (const std::exception &e) {
        result.error = QString::fromUtf8(e.what());
    }
    return result;
}

void OfficeWork::terminate()
{
    try {
        if (d->desktop.is())
            d->desktop->terminate();
    } catch (...) {
        // The office went already, or goes now: either is the end wanted.
    }
    d->desktop.clear();
    d->remote.clear();
}

} // namespace lorva::office
