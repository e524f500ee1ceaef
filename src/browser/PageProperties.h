#pragma once

class QWidget;

namespace lorva {

class BrowserView;
struct Language;

// A small dialog over `parent` with the title, address and size of the page
// in `view`, closed with OK.
void showPageProperties(QWidget *parent, BrowserView &view, const Language &language);

} // namespace lorva
