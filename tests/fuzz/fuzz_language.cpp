// Feeds arbitrary bytes to the language-file reader as a file would reach it.
#include "browser/TabHost.h"
#include "config/Language.h"
#include "config/LegacyText.h"

#include <cstdlib>

namespace {

class Tabs : public lorva::TabHost
{
public:
    void setTabCount(int count) override
    {
        if (count < 1 || count > lorva::kMaxTabs)
            std::abort();
        m_count = count;
    }
    int tabCount() const override { return m_count; }
    void createView(int index) override
    {
        if (index < 0 || index >= m_count)
            std::abort();
    }
    void setTabCaption(int index, const QString &) override
    {
        if (index < 0 || index >= m_count)
            std::abort();
    }

private:
    int m_count = 1;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Tabs tabs;
    lorva::Language language;
    lorva::applyLanguageLines(lorva::legacy::splitLines(lorva::legacy::decodeText(bytes)), language, tabs);
    if (!language.Captions[0].isEmpty())
        std::abort();
    return 0;
}
