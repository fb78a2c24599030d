// The page's face of the calculator: it forwards the user's events to the
// core (compiled to WebAssembly) and carries out the window operations the
// core asks for. Every rule lives in the core; texts reach the page only as
// text.
import createTarvik from './tarvik-core.js';

const $ = (id) => document.getElementById(id);
const sectionCount = 12;
const comboNames = ['sComboBoxElement', 'sComboBoxE1', 'sComboBoxE2'];
const combos = comboNames.map((name) => ({
    box: $(name + 'Box'),
    label: $(name + 'Label'),
    input: $(name),
    drop: $(name).nextElementSibling,
    popup: $(name + 'List'),
    items: [],
}));
const kinds = (k) => $('sListBox' + k);
const edit = $('sEditParam');
const editLabel = $('sEditParamLabel');
const result = $('sLabelResult');
const errorBox = $('errorBox');

// The window operations, called by the core.
const page = {
    setOuterWidth(width) {
        if (width >= 644)
            $('sPanel4').hidden = false;
    },
    setVisible(list, visible) { combos[list].box.hidden = !visible; },
    clearItems(list) {
        combos[list].items = [];
        closePopup(combos[list]);
    },
    appendItems(list, joined) { combos[list].items.push(...joined.split('\n')); },
    showText(list, text) { combos[list].input.value = text; },
    showCompletion(list, text, typedLength) {
        const input = combos[list].input;
        input.value = text;
        input.setSelectionRange(typedLength, text.length, 'backward');
    },
    setEnabled(list, enabled) {
        const c = combos[list];
        c.input.disabled = !enabled;
        c.drop.disabled = !enabled;
        c.box.classList.toggle('disabled', !enabled);
        if (!enabled)
            closePopup(c);
    },
    setCaption(list, caption) { combos[list].label.textContent = caption; },
    clearKindsSelection(section) { markKind(section, -1); },
    setModeItemText(item, text) { $('sRadioGroupText' + item).textContent = text; },
    setResultText(text) { result.textContent = text; },
    inputText() { return edit.value; },
    setInputText(text) { edit.value = text; },
    inputCaret() { return edit.selectionStart ?? edit.value.length; },
    setInputCaption(caption) {
        editLabel.textContent = caption;
        edit.setAttribute('aria-label', caption);
    },
    activateInputCaption() { editLabel.hidden = false; },
};

function report(message) {
    if (!message)
        return;
    $('errorText').textContent = message;
    if (!errorBox.open)
        errorBox.showModal();
}

function decimalSeparator() {
    const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
    return parts.find((p) => p.type === 'decimal')?.value ?? '.';
}

function markKind(section, index) {
    const list = kinds(section);
    for (const [i, option] of [...list.children].entries())
        option.setAttribute('aria-selected', i === index ? 'true' : 'false');
    if (index >= 0)
        list.setAttribute('aria-activedescendant', list.children[index].id);
    else
        list.removeAttribute('aria-activedescendant');
}

function openPopup(c, calc) {
    const list = comboNames.indexOf(c.input.id);
    const selected = calc.itemIndex(list);
    const options = c.items.map((text, i) => {
        const li = document.createElement('li');
        li.setAttribute('role', 'option');
        li.id = `${c.input.id}-${i}`;
        li.textContent = text;
        li.setAttribute('aria-selected', i === selected ? 'true' : 'false');
        return li;
    });
    c.popup.replaceChildren(...options);
    c.popup.hidden = false;
    c.input.setAttribute('aria-expanded', 'true');
    showSelected(c, selected);
}

function closePopup(c) {
    if (c.popup.hidden)
        return;
    c.popup.hidden = true;
    c.popup.replaceChildren();
    c.input.setAttribute('aria-expanded', 'false');
    c.input.removeAttribute('aria-activedescendant');
}

function showSelected(c, index) {
    if (c.popup.hidden)
        return;
    for (const [i, option] of [...c.popup.children].entries())
        option.setAttribute('aria-selected', i === index ? 'true' : 'false');
    const option = c.popup.children[index];
    if (option) {
        c.input.setAttribute('aria-activedescendant', option.id);
        option.scrollIntoView({block: 'nearest'});
    } else {
        c.input.removeAttribute('aria-activedescendant');
    }
}

function bindAccordion(calc) {
    for (let k = 1; k <= sectionCount; ++k) {
        $('sButton' + k).addEventListener('click', () => {
            const open = calc.headerClick(k);
            for (let j = 1; j <= sectionCount; ++j) {
                $('sButton' + j).setAttribute('aria-expanded', j === open ? 'true' : 'false');
                $('Panel' + j).classList.toggle('open', j === open);
                kinds(j).hidden = j !== open;
            }
        });
        const list = kinds(k);
        const choose = (index) => {
            markKind(k, index);
            report(calc.kindClick(k, index));
        };
        list.addEventListener('click', (event) => {
            const option = event.target.closest('[role=option]');
            if (option)
                choose([...list.children].indexOf(option));
        });
        list.addEventListener('keydown', (event) => {
            const last = list.children.length - 1;
            const now = calc.kindIndex(k);
            const moves = {ArrowDown: Math.min(now + 1, last), ArrowUp: Math.max(now - 1, 0), Home: 0, End: last};
            if (!(event.key in moves) || event.altKey || event.ctrlKey || event.metaKey)
                return;
            event.preventDefault();
            // With nothing selected the first move selects the first kind.
            const next = now < 0 ? 0 : moves[event.key];
            if (next !== now)
                choose(next);
        });
    }
}

function bindCombo(c, list, calc) {
    c.input.addEventListener('input', (event) => {
        const typed = event.inputType?.startsWith('insert') ?? false;
        report(calc.textEdit(list, c.input.value, typed));
        showSelected(c, calc.itemIndex(list));
    });
    const pick = (index) => {
        report(calc.itemPick(list, index));
        showSelected(c, calc.itemIndex(list));
    };
    c.input.addEventListener('keydown', (event) => {
        const toggle = (event.altKey && event.key === 'ArrowDown') || event.key === 'F4';
        if (toggle) {
            event.preventDefault();
            c.popup.hidden ? openPopup(c, calc) : closePopup(c);
        } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
            event.preventDefault();
            const now = calc.itemIndex(list);
            const next = event.key === 'ArrowDown' ? Math.min(now + 1, c.items.length - 1) : Math.max(now - 1, 0);
            if (next !== now && c.items.length > 0)
                pick(next);
        } else if ((event.key === 'Enter' || event.key === 'Escape') && !c.popup.hidden) {
            event.preventDefault();
            closePopup(c);
        }
    });
    c.input.addEventListener('blur', () => closePopup(c));
    c.drop.addEventListener('mousedown', (event) => {
        event.preventDefault();
        c.input.focus();
        c.popup.hidden ? openPopup(c, calc) : closePopup(c);
    });
    // Keeps the focus in the field while an item is picked with the pointer.
    c.popup.addEventListener('mousedown', (event) => event.preventDefault());
    c.popup.addEventListener('click', (event) => {
        const option = event.target.closest('[role=option]');
        if (!option)
            return;
        pick([...c.popup.children].indexOf(option));
        closePopup(c);
    });
}

const ignoredEdits = new Set(['historyUndo', 'historyRedo', 'deleteWordBackward', 'deleteWordForward',
                              'deleteSoftLineBackward', 'deleteSoftLineForward', 'deleteHardLineBackward',
                              'deleteHardLineForward']);

function bindEdit(calc) {
    edit.addEventListener('keydown', (event) => {
        const shortcut = (event.ctrlKey || event.metaKey) && 'cvxzy'.includes(event.key.toLowerCase());
        if (shortcut || event.key === 'Enter')
            event.preventDefault();
    });
    edit.addEventListener('beforeinput', (event) => {
        // Undo and the word and line deletions are shortcuts the field ignores.
        if (ignoredEdits.has(event.inputType)) {
            event.preventDefault();
            return;
        }
        if (event.inputType !== 'insertText' || event.data === null)
            return;
        // Each typed character passes the key rule against the text before
        // it; the rule may drop it or turn "." into the separator.
        event.preventDefault();
        for (const ch of event.data) {
            const reaches = withSeparator().keyPress(ch.length === 1 ? ch.charCodeAt(0) : 0);
            if (reaches !== 0)
                edit.setRangeText(String.fromCharCode(reaches), edit.selectionStart, edit.selectionEnd, 'end');
        }
    });
    edit.addEventListener('click', () => report(withSeparator().editClick()));
    edit.addEventListener('blur', () => {
        // Another window or tab took the focus: the field keeps it here.
        if (document.activeElement !== edit)
            report(calc.editExit());
    });
}

function copy(text) {
    if (text)
        navigator.clipboard?.writeText(text).catch(() => {});
}

function bindCopy(calc) {
    // Ctrl+C on a button, a kinds list or the mode group copies the result's number.
    document.addEventListener('keydown', (event) => {
        if (!(event.ctrlKey || event.metaKey) || event.key.toLowerCase() !== 'c')
            return;
        const focused = document.activeElement;
        const takesCopy = focused?.matches('button, [role=listbox], input[type=radio]');
        const number = calc.resultNumber();
        if (!takesCopy || !number || !document.getSelection().isCollapsed)
            return;
        event.preventDefault();
        copy(number);
    });
    bindResultMenu(calc);
}

// The result box's menu: "Копировать" (the number) and "Копировать с
// единицей". The box takes the focus only from a click (it stays out of the
// Tab order), so the menu key and Shift+F10 open the menu after one.
function bindResultMenu(calc) {
    const box = $('sGroupBox1');
    const menu = $('resultMenu');
    const items = [...menu.children];
    const texts = [() => calc.resultNumber(), () => calc.resultText()];
    let returnTo = null;

    const close = (refocus) => {
        if (menu.hidden)
            return;
        menu.hidden = true;
        if (refocus)
            returnTo?.focus();
        returnTo = null;
    };
    const open = (x, y) => {
        const shown = calc.resultText() !== '';
        for (const item of items)
            item.setAttribute('aria-disabled', shown ? 'false' : 'true');
        if (menu.hidden)
            returnTo = document.activeElement === document.body ? null : document.activeElement;
        menu.hidden = false;
        const {width, height} = menu.getBoundingClientRect();
        menu.style.left = `${Math.max(0, Math.min(x, innerWidth - width))}px`;
        menu.style.top = `${Math.max(0, Math.min(y, innerHeight - height))}px`;
        items[0].focus();
    };

    box.addEventListener('contextmenu', (event) => {
        event.preventDefault();
        open(event.clientX, event.clientY);
    });
    box.addEventListener('keydown', (event) => {
        if (event.key === 'ContextMenu' || (event.shiftKey && event.key === 'F10')) {
            event.preventDefault();
            const at = result.getBoundingClientRect();
            open(at.left, at.bottom);
        }
    });
    menu.addEventListener('click', (event) => {
        const item = event.target.closest('[role=menuitem]');
        if (!item || item.getAttribute('aria-disabled') === 'true')
            return;
        copy(texts[items.indexOf(item)]());
        close(true);
    });
    menu.addEventListener('keydown', (event) => {
        const now = items.indexOf(document.activeElement);
        const last = items.length - 1;
        const moves = {ArrowDown: now < last ? now + 1 : 0, ArrowUp: now > 0 ? now - 1 : last, Home: 0, End: last};
        if (event.key in moves) {
            items[moves[event.key]].focus();
        } else if (event.key === 'Escape' || event.key === 'Tab') {
            close(true);
        } else {
            return;
        }
        event.preventDefault();
    });
    // A click or a tap anywhere else, or the page scrolled, closes it.
    menu.addEventListener('focusout', (event) => {
        if (!menu.contains(event.relatedTarget))
            close(false);
    });
    addEventListener('scroll', () => close(false), {passive: true});
}

const core = await createTarvik();
const calc = new core.Calculator(page);
// The browser's number format costs tens of milliseconds on first use (its
// locale data loads), so it is read when the page is idle, or at the first
// handler that reads or writes a number if that comes sooner.
let separatorKnown = false;
function withSeparator() {
    if (!separatorKnown) {
        calc.setDecimalSeparator(decimalSeparator());
        separatorKnown = true;
    }
    return calc;
}
addEventListener('languagechange', () => {
    separatorKnown = false;
    withSeparator();
});

bindAccordion(calc);
for (const [list, c] of combos.entries())
    bindCombo(c, list, calc);
for (const [i, item] of ['sRadioGroupItem0', 'sRadioGroupItem1'].entries())
    $(item).addEventListener('change', () => report(calc.modeClick(i)));
$('sButtonCalc').addEventListener('click', () => report(withSeparator().calcClick()));
bindEdit(calc);
bindCopy(calc);
$('errorOk').addEventListener('click', () => errorBox.close());
performance.mark('tarvik-interactive');
(self.requestIdleCallback ?? setTimeout)(withSeparator);

if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js');
