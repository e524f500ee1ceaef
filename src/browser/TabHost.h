#pragma once

#include <QString>

namespace lorva {

// The tab strip with its browser views, as the language reader and the
// start-up sequence see it.
class TabHost
{
public:
    virtual ~TabHost() = default;

    // Sets the number of tabs (already limited to 1..kMaxTabs by the caller).
    virtual void setTabCount(int count) = 0;
    virtual int tabCount() const = 0;
    // Creates the browser view of tab `index` unless it exists already.
    virtual void createView(int index) = 0;
    virtual void setTabCaption(int index, const QString &caption) = 0;
};

inline constexpr int kMaxTabs = 20;

} // namespace lorva
