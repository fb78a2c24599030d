// WCAG's AA contrast, measured on what a page shows: each visible text and
// each filled text field against every colour behind it.

function luminance([r, g, b]) {
    const linear = (c) => (c /= 255) <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

const contrast = (a, b) => {
    const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (hi + 0.05) / (lo + 0.05);
};

// Each visible text (a text node, or a text field's value) with its colour
// and every colour behind it (a gradient's stops, or the first solid
// background up the tree), its colour blended by any opacity on the way.
const textColours = (page) => page.evaluate(() => {
    const rgb = (text) => (text.match(/[\d.]+/g) ?? []).map(Number);
    const colours = (image) => (image.match(/rgba?\([^)]*\)/g) ?? []).map(rgb);
    const out = [];
    const measure = (el, text) => {
        if (!text.trim() || el.getClientRects().length === 0 ||
            el.closest('[hidden], .visually-hidden, dialog:not([open]), :disabled, .disabled'))
            return;
        const style = getComputedStyle(el);
        let behind = null;
        let opacity = 1;
        for (let at = el; at; at = at.parentElement) {
            const s = getComputedStyle(at);
            opacity *= Number(s.opacity);
            if (!behind && s.backgroundImage !== 'none')
                behind = colours(s.backgroundImage);
            else if (!behind && rgb(s.backgroundColor)[3] !== 0)
                behind = [rgb(s.backgroundColor)];
        }
        const size = parseFloat(style.fontSize);
        out.push({text: text.trim().slice(0, 40), colour: rgb(style.color), behind, opacity,
                  large: size >= 24 || (size >= 18.66 && Number(style.fontWeight) >= 700)});
    };
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node; (node = walker.nextNode());)
        measure(node.parentElement, node.textContent);
    for (const input of document.querySelectorAll('input:not([type]), input[type=text]'))
        measure(input, input.value);
    return out;
});

// The texts shown, and those of them below AA (4.5:1, large text 3:1), each
// described with its ratio.
export async function contrastFaults(page) {
    const texts = await textColours(page);
    const faults = [];
    for (const t of texts)
        for (const back of t.behind ?? [[255, 255, 255]]) {
            const shown = t.colour.slice(0, 3).map((c, i) => back[i] + (c - back[i]) * t.opacity);
            const ratio = contrast(shown, back);
            if (ratio < (t.large ? 3 : 4.5))
                faults.push(`"${t.text}" at ${ratio.toFixed(2)}:1`);
        }
    return {texts: texts.map((t) => t.text), faults};
}
