// The script that captures a page for the office exports; see pageCaptureScript().
#include "platform/PageCapture.h"

namespace lorva {

const char *pageCaptureScript()
{
    return R"js(
// Runs in the page, in a world of the program's own that the page's scripts
// cannot see: the body's content as the page shows it, for an office
// document. Hidden elements, scripts and frames are left out; a few of the
// styles the page computed are written onto the elements, since the
// document gets none of the page's style sheets. Each picture's address
// becomes "lorva-<token>-<n>", and the picture comes apart: a picture the
// page may read is drawn and taken as a data: address; of one from
// elsewhere only its address is given, for the program to take what the
// engine loaded. A picture the engine did not load is left out.
//
// Nothing is returned but sizes: the capture is kept in this world until
// the program has taken it in pieces (`parts`: the markup, the text, then
// one entry per picture), and nothing at all is kept of a page whose markup
// is longer than `maxMarkup`.
(function (maxMarkup, token) {
    delete window.__lorvaCapture;
    const body = document.body;
    if (!body)
        return null;
    // The copy lives in a document with no window: nothing in it loads
    // (a copy in the page's own document would fetch every picture again,
    // even one the page never showed).
    const clone = document.implementation.createHTMLDocument('').importNode(body, true);
    const from = body.querySelectorAll('*');
    const to = clone.querySelectorAll('*');
    const images = [];
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
            if (!source || (!source.startsWith('data:') && (!a.complete || !a.naturalWidth))) {
                b.setAttribute('data-lorva-drop', '');
                continue;
            }
            b.setAttribute('src', 'lorva-' + token + '-' + images.length);
            images.push([a, source]);
        }
    }
    clone.querySelectorAll('[data-lorva-drop]').forEach(function (e) { e.remove(); });
    const html = clone.innerHTML;
    if (html.length > maxMarkup)
        return JSON.stringify({tooLarge: true, size: html.length});

    const parts = [html, body.innerText];
    const pictures = [];
    for (const [image, source] of images) {
        let data = null;
        if (source.startsWith('data:')) {
            data = source;
        } else {
            try {
                const canvas = document.createElement('canvas');
                canvas.width = image.naturalWidth;
                canvas.height = image.naturalHeight;
                canvas.getContext('2d').drawImage(image, 0, 0);
                data = canvas.toDataURL('image/png');
            } catch (e) {
                // From elsewhere, and the page may show it but not read it.
            }
        }
        parts.push(data || '');
        pictures.push(data ? null : source);
    }
    window.__lorvaCapture = parts;
    return JSON.stringify({sizes: parts.map(function (p) { return p.length; }), title: document.title,
                           pictures: pictures});
})
)js";
}

} // namespace lorva
