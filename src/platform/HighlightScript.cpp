// The page side of the spoken word's highlight: ranges kept by number (a
// selection, or the whole page), the words in them counted as the speech
// counts them, and one box drawn over the word being spoken. The box is
// fixed over the page and takes no clicks; the page's own content is not
// touched.
#include "platform/WebEngineView.h"

namespace lorva {

const char *highlightScript()
{
    return R"JS(
(function () {
  var L = window.__lorva || (window.__lorva = { scopes: {} });
  if (L.show) return;
  L.skip = function (n) {
    var e = n.parentElement;
    if (!e || e.closest('script,style,noscript,template,#lorva-highlight')) return true;
    return e.getClientRects().length === 0;
  };
  // Words do not run on from one block (a paragraph, a cell) into the next.
  L.block = function (n) {
    for (var e = n.parentElement; e; e = e.parentElement)
      if (!/^inline/.test(getComputedStyle(e).display)) return e;
    return null;
  };
  L.words = function (range) {
    var out = [], root = range.commonAncestorContainer, inWord = false, n, block = null;
    if (root.nodeType === 3) root = root.parentNode;
    var walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT, null);
    while ((n = walker.nextNode())) {
      if (!range.intersectsNode(n) || L.skip(n)) { inWord = false; continue; }
      var b = L.block(n);
      if (b !== block) { inWord = false; block = b; }
      var s = n.data, from = n === range.startContainer ? range.startOffset : 0;
      var to = n === range.endContainer ? range.endOffset : s.length;
      for (var i = from; i < to; i++) {
        if (/[\s|]/.test(s[i])) { inWord = false; continue; }
        if (!inWord) { out.push([n, i, n, i + 1]); inWord = true; }
        else { var last = out[out.length - 1]; last[2] = n; last[3] = i + 1; }
      }
    }
    return out;
  };
  // The language of each run of words of a kept range: the nearest lang
  // attribute (the root's being the page's).
  L.langs = function (id) {
    var scope = L.scopes[id], runs = [], last = null, node = null, lang = '';
    if (!scope) return '[]';
    if (!scope.words) scope.words = L.words(scope.range);
    for (var k = 0; k < scope.words.length; k++) {
      if (scope.words[k][0] !== node) {
        node = scope.words[k][0];
        var e = node.parentElement && node.parentElement.closest('[lang]');
        lang = e ? e.getAttribute('lang').trim() : '';
      }
      if (lang !== last) { runs.push([k, lang]); last = lang; }
    }
    return JSON.stringify(runs);
  };
  L.clear = function () { var box = document.getElementById('lorva-highlight'); if (box) box.remove(); };
  L.show = function (id, k) {
    var scope = L.scopes[id];
    if (!scope) return;
    if (!scope.words) scope.words = L.words(scope.range);
    var w = scope.words[k];
    if (!w) { L.clear(); return; }
    var r = document.createRange();
    r.setStart(w[0], w[1]); r.setEnd(w[2], w[3]);
    var rect = r.getBoundingClientRect();
    if (rect.bottom > window.innerHeight || rect.top < 0) {
      window.scrollBy(0, rect.top - window.innerHeight / 3);
      rect = r.getBoundingClientRect();
    }
    var box = document.getElementById('lorva-highlight');
    if (!box) {
      box = document.createElement('div');
      box.id = 'lorva-highlight';
      box.setAttribute('aria-hidden', 'true');
      box.style.cssText = 'position:fixed;pointer-events:none;z-index:2147483647;' +
        'background:rgba(255,208,0,0.42);outline:2px solid rgba(226,140,0,0.85);border-radius:3px;';
      document.documentElement.appendChild(box);
    }
    box.style.left = (rect.left - 2) + 'px'; box.style.top = (rect.top - 1) + 'px';
    box.style.width = (rect.width + 4) + 'px'; box.style.height = (rect.height + 2) + 'px';
    box.dataset.word = r.toString(); box.dataset.index = String(k);
  };
})();
)JS";
}

} // namespace lorva
