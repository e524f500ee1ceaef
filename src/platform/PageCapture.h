#pragma once

#include "platform/BrowserView.h"

#include <optional>

class QWebEnginePage;

namespace lorva {

// The script of capturePageOf(): a function of the markup limit and a token.
const char *pageCaptureScript();

// What WebEngineView::capturePage() gives: the body of `page` for an office
// document, taken in pieces with events running in between.
std::optional<CapturedPage> capturePageOf(QWebEnginePage *page, qsizetype maxMarkup);

} // namespace lorva
