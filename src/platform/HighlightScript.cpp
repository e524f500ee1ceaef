// The page side of the spoken word's highlight: ranges kept by number (a
// selection, the page's article, or the whole page), the words in them
// counted as the speech counts them, and one box drawn over the word being
// spoken. The box is fixed over the page and takes no clicks; the page's
// own content is not touched (the article's marks go as soon as the copy
// is made). It all runs in a world of its own, which the page's scripts
// neither see nor disturb.
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
    // What is there but not shown (a heading's link mark until the pointer
    // is over it) is no more read than it is seen.
    return e.getClientRects().length === 0 || getComputedStyle(e).visibility !== 'visible';
  };
  // Words do not run on from one block (a paragraph, a cell) into the next.
  // The block of an element, remembered in `known` for it and its ancestors.
  L.block = function (e, known) {
    if (!e) return null;
    if (known.has(e)) return known.get(e);
    var b = /^inline/.test(getComputedStyle(e).display) ? L.block(e.parentElement, known) : e;
    known.set(e, b);
    return b;
  };
  // Each word: its start and end (node, offset), its text, and whether a
  // new block starts with it. `leave` skips a further kind of element.
  // A long page has many text nodes under few elements: what is asked of
  // the style is asked once per element.
  L.words = function (range, leave, out) {
    var root = range.commonAncestorContainer, inWord = false, n, block = null;
    var skipped = new Map(), blocks = new Map(), word = /[^\s|\u0085]+/g, m;
    out = out || [];
    if (root.nodeType === 3) root = root.parentNode;
    var walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT, null);
    var starts = true;
    while ((n = walker.nextNode())) {
      var p = n.parentElement;
      if (!skipped.has(p)) skipped.set(p, L.skip(n) || !!(leave && p && p.closest(leave)));
      if (skipped.get(p) || !range.intersectsNode(n)) { inWord = false; continue; }
      var b = L.block(p, blocks);
      if (b !== block) { inWord = false; block = b; starts = true; }
      var s = n.data, from = n === range.startContainer ? range.startOffset : 0;
      var to = n === range.endContainer ? range.endOffset : s.length;
      if (from >= to) continue;
      var end = -1;
      word.lastIndex = from;
      while ((m = word.exec(s)) && m.index < to) {
        var a = m.index, z = Math.min(a + m[0].length, to), t = s.slice(a, z);
        if (inWord && a === from) { var last = out[out.length - 1]; last[2] = n; last[3] = z; last[4] += t; }
        else { out.push([n, a, n, z, t, starts]); starts = false; }
        inWord = false;
        end = z;
        if (z >= to) break;
      }
      inWord = end === to;
    }
    return out;
  };
  L.lang = function (n) {
    var e = n.nodeType === 1 ? n : n.parentElement, l = e && e.closest('[lang]');
    return l ? l.getAttribute('lang') : '';
  };
  // The blocks of the words' texts, a line each, and each block's language.
  L.blocks = function (words) {
    var out = [];
    for (var i = 0; i < words.length; i++) {
      var w = words[i];
      if (w[5] || !out.length) out.push({ text: w[4], language: L.lang(w[0]) });
      else out[out.length - 1].text += ' ' + w[4];
    }
    return out;
  };
  // The live elements that Readability keeps of a copy of the page, in
  // order: each copied element carries the number of its live original.
  L.articleWords = function (code, pictures) {
    if (typeof Readability !== 'function' || !document.body) return null;
    if (typeof isProbablyReaderable === 'function' && !isProbablyReaderable(document)) return null;
    var live = document.body.getElementsByTagName('*'), all = [], i, copy;
    for (i = 0; i < live.length; i++) all.push(live[i]);
    try {
      for (i = 0; i < all.length; i++) all[i].setAttribute('data-lorva-n', i);
      copy = document.cloneNode(true);
    } finally {
      for (i = 0; i < all.length; i++) all[i].removeAttribute('data-lorva-n');
    }
    var parsed = new Readability(copy, { serializer: function (e) { return e; } }).parse();
    if (!parsed || !parsed.content || parsed.textContent.trim().length < 140) return null;
    // On a long page of many sections (a manual's chapter) Readability may
    // keep one section alone: the listener would miss the rest, and hears
    // the whole page instead.
    if (parsed.textContent.length < 0.25 * document.body.innerText.length) return null;
    var kept = /^(H[1-6]|P|LI|TR|FIGCAPTION|PRE|BLOCKQUOTE|DT|DD|CAPTION|IMG)$/, chosen = [];
    var marked = parsed.content.querySelectorAll('[data-lorva-n]');
    for (i = 0; i < marked.length; i++) {
      // Readability may have made a div of text into a paragraph: its tag counts.
      var e = all[+marked[i].getAttribute('data-lorva-n')];
      if (!e || !kept.test(marked[i].tagName)) continue;
      if (chosen.length && chosen[chosen.length - 1].contains(e)) continue;
      if (!code && e.closest('pre')) continue;
      if (e.tagName === 'IMG' && !(pictures && (e.getAttribute('alt') || '').trim())) continue;
      chosen.push(e);
    }
    // The title, where the page shows it ahead of what was kept.
    var title = (parsed.title || '').trim().replace(/\s+/g, ' ');
    if (title && chosen.length) {
      var heads = document.body.querySelectorAll('h1,h2');
      for (i = 0; i < heads.length; i++) {
        var h = heads[i];
        if (h.textContent.trim().replace(/\s+/g, ' ') !== title) continue;
        if (!chosen.some(function (c) { return c === h || c.contains(h); }) &&
            (h.compareDocumentPosition(chosen[0]) & Node.DOCUMENT_POSITION_FOLLOWING))
          chosen.unshift(h);
        break;
      }
    }
    var words = [];
    for (i = 0; i < chosen.length; i++) {
      var c = chosen[i], from = words.length;
      if (c.tagName === 'IMG') {
        // Each word of the description lights the picture.
        if (c.getClientRects().length === 0) continue;
        var p = c.parentNode, at = Array.prototype.indexOf.call(p.childNodes, c);
        c.getAttribute('alt').split(/[\s|\u0085]+/).forEach(function (t) {
          if (t) words.push([p, at, p, at + 1, t, false]);
        });
      } else {
        var r = document.createRange();
        r.selectNodeContents(c);
        L.words(r, code ? null : 'pre', words);
      }
      if (words.length > from) words[from][5] = true;
    }
    return words.length ? words : null;
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
