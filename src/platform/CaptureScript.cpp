// The script that captures a page for the office exports; see pageCaptureScript().
#include "platform/WebEngineView.h"

namespace lorva {

const char *pageCaptureScript()
{
    return R"js(
// Runs in the page: the body's content as the page shows it, for an office
// document. Hidden elements, scripts and frames are left out; a few of the
// styles the page computed are written onto the elements, since the
// document gets none of the page's style sheets; pictures the page can read
// become data: addresses, the others are named for the program to fetch.
(function () {
    const body = document.body;
    if (!body)
        return null;
    const clone = body.cloneNode(true);
    const from = body.querySelectorAll('*');
    const to = clone.querySelectorAll('*');
    const fetch = [];
    const drop = /^(SCRIPT|STYLE|NOSCRIPT|TEMPLATE|IFRAME|FRAME|OBJECT|EMBED|CANVAS|VIDEO|AUDIO|SVG|BUTTON|INPUT|SELECT|TEXTAREA|DIALOG)$/;
    const block = /^(P|DIV|H[1-6]|LI|TD|TH|BLOCKQUOTE|SECTION|ARTICLE|HEADER|FOOTER|MAIN|ASIDE|CAPTION)$/;
    for (let i = 0; i < from.length; ++i) {
        const a = from[i], b = to[i];
        const tag = a.tagName.toUpperCase();
        const css = getComputedStyle(a);
        if (drop.test(tag) || css.display === 'none' || css.visibility === 'hidden') {
            b.setAttribute('data-lorva-drop', '');
            continue;
        }
        b.removeAttribute('class');
        b.removeAttribute('id');
        const style = [];
        if (css.fontWeight >= 600 && !/^(B|STRONG|H[1-6]|TH)$/.test(tag))
            style.push('font-weight:bold');
        if (css.fontStyle === 'italic' && !/^(I|EM)$/.test(tag))
            style.push('font-style:italic');
        if (css.textDecorationLine && css.textDecorationLine !== 'none' && tag !== 'A')
            style.push('text-decoration:' + css.textDecorationLine);
        if (css.color && css.color !== 'rgb(0, 0, 0)' && tag !== 'A')
            style.push('color:' + css.color);
        if (block.test(tag) && /^(center|right|justify)$/.test(css.textAlign))
            style.push('text-align:' + css.textAlign);
        if (/^(TD|TH|TR|TABLE)$/.test(tag) && css.backgroundColor && css.backgroundColor !== 'rgba(0, 0, 0, 0)')
            style.push('background-color:' + css.backgroundColor);
        if (style.length)
            b.setAttribute('style', style.join(';'));
        else
            b.removeAttribute('style');
        if (tag === 'A' && a.href)
            b.setAttribute('href', a.href);
        if (tag === 'IMG') {
            b.removeAttribute('srcset');
            b.removeAttribute('loading');
            const width = a.width, height = a.height;
            if (width && height) {
                b.setAttribute('width', width);
                b.setAttribute('height', height);
            }
            const source = a.currentSrc || a.src;
            if (!source) {
                b.setAttribute('data-lorva-drop', '');
            } else if (source.startsWith('data:')) {
                b.setAttribute('src', source);
            } else {
                try {
                    if (!a.complete || !a.naturalWidth)
                        throw new Error('not loaded');
                    const canvas = document.createElement('canvas');
                    canvas.width = a.naturalWidth;
                    canvas.height = a.naturalHeight;
                    canvas.getContext('2d').drawImage(a, 0, 0);
                    b.setAttribute('src', canvas.toDataURL('image/png'));
                } catch (e) {
                    // A picture from elsewhere, which the page may not read.
                    b.setAttribute('src', '');
                    b.setAttribute('data-lorva-fetch', String(fetch.length));
                    fetch.push(source);
                }
            }
        }
    }
    clone.querySelectorAll('[data-lorva-drop]').forEach(function (e) { e.remove(); });
    return JSON.stringify({html: clone.innerHTML, text: body.innerText, title: document.title, fetch: fetch});
})()
)js";
}

} // namespace lorva
