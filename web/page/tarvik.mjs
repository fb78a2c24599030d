// The page's face of the calculator: it forwards the user's events to the
// core (compiled to WebAssembly) and carries out the window operations the
// core asks for. Every rule lives in the core: the page names its keys and
// its focus in the core's terms and does what the core answers; texts reach
// the page only as text, its fixed ones written into the markup at build
// time.

// The core's code compiles while its glue script loads and runs, not after:
// the module asks for both before anything else (the preloaded responses).
const compiledCore = WebAssembly.compileStreaming(fetch('./tarvik-core.wasm', {credentials: 'same-origin'}));
compiledCore.catch(() => {}); // reported where the core is awaited
const coreGlue = import('./tarvik-core.js');
coreGlue.catch(() => {});

const $ = (id) => document.getElementById(id);
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
const kindInUse = $('kindInUse');
const missingInput = $('missingInput');
const inputHint = $('inputHint');
let inputHintTimer = 0;
// The material's lists (metal, grade, the standards of a profile pipe's R)
// and its fields (0 the density, 1 to 5 the dimensions).
const selects = ['sComboBoxMetal', 'sComboBoxGrade', 'sComboBoxRadiusStandard'].map($);
const fields = ['sEditDensity', ...[1, 2, 3, 4, 5].map((i) => 'sEditDimension' + i)].map($);
const hintTimers = [0, 0];
let estimateAddEnabled = false;
let estimate = null; // the estimate section's face, once bound

// The window operations, called by the core.
const page = {
    showCalculationColumn() { $('sPanel4').hidden = false; },
    setVisible(list, visible) { combos[list].box.hidden = !visible; },
    clearItems(list) {
        combos[list].items = [];
        closePopup(combos[list]);
    },
    appendItems(list, joined) { combos[list].items.push(...joined.split('\n')); },
    showText(list, text) { combos[list].input.value = text; },
    showCompletion(list, text, completedFrom) {
        const input = combos[list].input;
        input.value = text;
        input.setSelectionRange(completedFrom, text.length, 'backward');
    },
    setEnabled(list, enabled) {
        const c = combos[list];
        c.input.disabled = !enabled;
        c.drop.disabled = !enabled;
        c.box.classList.toggle('disabled', !enabled);
        if (!enabled)
            closePopup(c);
    },
    setCaption(list, caption) {
        combos[list].label.textContent = caption;
        combos[list].drop.setAttribute('aria-label', core.sizeListButtonName(caption));
    },
    clearKindsSelection(section) { markKind(section, -1); },
    setModeItemText(item, text) { $('sRadioGroupText' + item).textContent = text; },
    setResultText(text) {
        result.textContent = text;
        page.setResultOutOfDate(false, '');
    },
    setResultOutOfDate(outOfDate, description) {
        result.classList.toggle('stale', outOfDate);
        if (outOfDate)
            result.setAttribute('aria-description', description);
        else
            result.removeAttribute('aria-description');
    },
    setEstimateAddEnabled(enabled) {
        estimateAddEnabled = enabled;
        if (estimate)
            estimate.setAddEnabled(enabled);
        else
            $('estimateAdd').disabled = !enabled;
    },
    setKindInUse(text) {
        kindInUse.textContent = text;
        kindInUse.hidden = text === '';
    },
    showMissingInput(which, text) {
        for (const control of document.querySelectorAll('[aria-describedby=missingInput]'))
            control.removeAttribute('aria-describedby');
        missingInput.hidden = which === 0;
        missingInput.textContent = text;
        const control = [null, $('sRadioGroupItem0'), ...combos.map((c) => c.input)][which];
        if (!control)
            return;
        // Below the mode group, or below the size lists.
        (which === 1 ? $('sRadioGroup') : $('sizesBox')).after(missingInput);
        control.setAttribute('aria-describedby', 'missingInput');
        control.focus();
    },
    inputText() { return edit.value; },
    setInputText(text) { edit.value = text; },
    inputCaret() { return edit.selectionStart ?? edit.value.length; },
    inputSelectionEnd() { return edit.selectionEnd ?? edit.value.length; },
    showInputHint(reason) {
        inputHint.textContent = reason;
        inputHint.hidden = false;
        clearTimeout(inputHintTimer);
        inputHintTimer = setTimeout(() => { inputHint.hidden = true; }, core.inputHintMilliseconds);
    },
    setInputCaption(caption) {
        editLabel.textContent = caption;
        edit.setAttribute('aria-label', caption);
    },
    activateInputCaption() { editLabel.hidden = false; },
    setOptions(list, joined, index) {
        selects[list].replaceChildren(...(joined ? joined.split('\n') : []).map((t) => new Option(t)));
        selects[list].selectedIndex = index;
    },
    setGradeChoiceEnabled(enabled) {
        for (const e of [selects[0], selects[1], fields[0]])
            e.disabled = !enabled;
    },
    fieldText(i) { return fields[i].value; },
    setFieldText(i, text) { fields[i].value = text; },
    fieldCaret(i) { return fields[i].selectionStart ?? fields[i].value.length; },
    fieldSelectionEnd(i) { return fields[i].selectionEnd ?? fields[i].value.length; },
    // A reason that stays takes the focus to its field; a refused key's goes.
    showFieldHint(i, reason, stays) {
        const which = i === 0 ? 0 : 1;
        const hint = $(which ? 'dimensionHint' : 'densityHint');
        hint.textContent = reason;
        hint.hidden = i < 0 || reason === '';
        clearTimeout(hintTimers[which]);
        if (stays)
            fields[i].focus();
        else if (!hint.hidden)
            hintTimers[which] = setTimeout(() => { hint.hidden = true; }, core.inputHintMilliseconds);
    },
    setBasisText(text) { $('sLabelBasis').textContent = text; },
    setDimensionFields(joined) {
        const captions = joined ? joined.split('\n') : [];
        for (let i = 1; i <= 5; ++i) {
            $('dimension' + i).hidden = i > captions.length;
            $('sLabelDimension' + i).textContent = captions[i - 1] ?? '';
            fields[i].value = '';
        }
    },
    setRadiusStandardVisible(visible) { selects[2].hidden = !visible; },
    localeDecimalPoint() {
        const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
        return parts.find((p) => p.type === 'decimal')?.value ?? '';
    },
};

function report(message) {
    if (!message)
        return;
    // The user's text quoted in the message is drawn isolated, so that a
    // right-to-left character in it cannot turn the sentence round.
    const [start, length] = core.quotedInput(message);
    const quoted = document.createElement('bdi');
    quoted.textContent = message.slice(start, start + length);
    $('errorText').replaceChildren(
        ...(start > 0 ? [message.slice(0, start), quoted, message.slice(start + length)] : [message]));
    if (!errorBox.open)
        errorBox.showModal();
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
    c.popup.classList.remove('above');
    c.popup.hidden = false;
    // Opens upwards where there is more room above the box than below it.
    const box = c.input.getBoundingClientRect();
    if (c.popup.getBoundingClientRect().bottom > innerHeight && box.top > innerHeight - box.bottom)
        c.popup.classList.add('above');
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

// The headers are one Tab stop, so that the keyboard goes from a kind to the
// calculation without passing every other header: the open section's header
// takes the Tab, or the first while none is open; the arrows, Home and End
// move between the headers, and the one they reach keeps the stop until the
// focus leaves them.
const headerKeys = {ArrowDown: 1, ArrowUp: -1};

function headerTabStop(k) {
    for (let j = 1; j <= core.sectionCount; ++j)
        $('sButton' + j).tabIndex = j === k ? 0 : -1;
}

function openSection() {
    for (let j = 1; j <= core.sectionCount; ++j) {
        if ($('sButton' + j).getAttribute('aria-expanded') === 'true')
            return j;
    }
    return 0;
}

function bindAccordion(calc) {
    const count = core.sectionCount;
    headerTabStop(1);
    $('sPanel2').addEventListener('focusout', (event) => {
        if (!event.relatedTarget?.classList.contains('header'))
            headerTabStop(openSection() || 1);
    });
    for (let k = 1; k <= count; ++k) {
        const header = $('sButton' + k);
        header.addEventListener('click', () => {
            const open = calc.headerClick(k);
            for (let j = 1; j <= count; ++j) {
                $('sButton' + j).setAttribute('aria-expanded', j === open ? 'true' : 'false');
                $('Panel' + j).classList.toggle('open', j === open);
                kinds(j).hidden = j !== open;
            }
            headerTabStop(document.activeElement === header ? k : open || 1);
        });
        header.addEventListener('keydown', (event) => {
            if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey)
                return;
            let next;
            if (event.key === 'Home')
                next = 1;
            else if (event.key === 'End')
                next = count;
            else if (Object.hasOwn(headerKeys, event.key))
                next = ((k - 1 + headerKeys[event.key] + count) % count) + 1;
            else
                return;
            event.preventDefault();
            headerTabStop(next);
            $('sButton' + next).focus();
        });
        const list = kinds(k);
        const choose = (index) => {
            markKind(k, index);
            report(calc.kindClick(k, index));
            // On a narrow screen the column stands below the accordion: bring
            // the next step into view.
            const column = $('sPanel4');
            if (!column.hidden && column.getBoundingClientRect().top > innerHeight * 0.6)
                column.scrollIntoView({block: 'start'});
        };
        list.addEventListener('click', (event) => {
            const option = event.target.closest('[role=option]');
            if (option)
                choose([...list.children].indexOf(option));
        });
        list.addEventListener('keydown', (event) => {
            if (!Object.hasOwn(core.ListKey, event.key) || event.altKey || event.ctrlKey || event.metaKey)
                return;
            event.preventDefault();
            const next = calc.kindAfterKey(k, core.ListKey[event.key]);
            if (next >= 0)
                choose(next);
        });
    }
}

function bindCombo(c, list, calc) {
    c.input.addEventListener('input', (event) => {
        report(calc.textEdit(list, c.input.value, sizeTextChange(event.inputType)));
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
    c.input.addEventListener('blur', () => {
        closePopup(c);
        report(calc.sizeListExit(list));
    });
    // The pointer's press keeps the focus in the field; the click, which
    // assistive technology and voice control give too, opens the list.
    c.drop.addEventListener('mousedown', (event) => event.preventDefault());
    c.drop.addEventListener('click', () => {
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

// How an input event changed a size list's text, in the core's terms.
function sizeTextChange(inputType = '') {
    if (inputType === 'insertText' || inputType === 'insertCompositionText')
        return core.SizeTextChange.Typed;
    return inputType.startsWith('delete') ? core.SizeTextChange.Deleted : core.SizeTextChange.Whole;
}

// The number field's editing commands, by key (with Ctrl or Cmd) and by the
// input type of the edit they make.
function shortcutCommand(event) {
    if (event.key === 'Enter')
        return core.FieldCommand.Enter;
    if (!(event.ctrlKey || event.metaKey))
        return null;
    const z = event.shiftKey ? core.FieldCommand.Redo : core.FieldCommand.Undo;
    const commands = {c: core.FieldCommand.Copy, v: core.FieldCommand.Paste, x: core.FieldCommand.Cut, z,
                      y: core.FieldCommand.Redo, a: core.FieldCommand.SelectAll};
    return commands[event.key.toLowerCase()] ?? null;
}

function editCommand(inputType) {
    const commands = {
        historyUndo: core.FieldCommand.Undo,
        historyRedo: core.FieldCommand.Redo,
        deleteWordBackward: core.FieldCommand.DeleteWordBackward,
        deleteWordForward: core.FieldCommand.DeleteWordForward,
        deleteSoftLineBackward: core.FieldCommand.DeleteLineBackward,
        deleteHardLineBackward: core.FieldCommand.DeleteLineBackward,
        deleteSoftLineForward: core.FieldCommand.DeleteLineForward,
        deleteHardLineForward: core.FieldCommand.DeleteLineForward,
    };
    return commands[inputType] ?? null;
}

function bindEdit(calc) {
    edit.addEventListener('keydown', (event) => {
        const command = shortcutCommand(event);
        if (command !== null && core.numberFieldIgnores(command))
            event.preventDefault();
    });
    edit.addEventListener('beforeinput', (event) => {
        const command = editCommand(event.inputType);
        if (command !== null && core.numberFieldIgnores(command)) {
            event.preventDefault();
            return;
        }
        if (event.inputType !== 'insertText' || event.data === null)
            return;
        // Each typed character passes the key rule against the text before
        // it; the rule may drop it, turn "." into the separator or put "0"
        // before a separator typed first.
        event.preventDefault();
        let changed = false;
        for (const ch of event.data) {
            const inserted = calc.keyPress(ch.length === 1 ? ch.charCodeAt(0) : 0);
            if (inserted !== '') {
                edit.setRangeText(inserted, edit.selectionStart, edit.selectionEnd, 'end');
                changed = true;
            }
        }
        if (changed)
            report(calc.editChange());
    });
    // Deletions and the context menu's cut reach the field as they are.
    edit.addEventListener('input', () => report(calc.editChange()));
    // A spreadsheet cell pastes with its line break, a grouped number with
    // its spaces: the core cleans the text first.
    edit.addEventListener('paste', (event) => {
        const pasted = event.clipboardData?.getData('text/plain');
        if (pasted === undefined)
            return;
        event.preventDefault();
        const cleaned = core.pastedNumberText(pasted);
        if (cleaned === '')
            return;
        edit.setRangeText(cleaned, edit.selectionStart, edit.selectionEnd, 'end');
        report(calc.editChange());
    });
    edit.addEventListener('click', () => report(calc.editClick()));
    edit.addEventListener('blur', () => {
        // Another window or tab took the focus when the field keeps it here.
        const loss = document.activeElement === edit ? core.FocusLoss.ToOtherWindow : core.FocusLoss.ToControl;
        report(calc.editExit(loss));
    });
}

// The material's lists and fields, each key through the core's rule as in
// the number field; the choice is kept in the browser between visits.
function bindMaterial(calc) {
    const key = 'tarvik-material';
    const keep = () => {
        try {
            localStorage.setItem(key, calc.materialSetting());
        } catch {} // a browser that keeps nothing starts with steel
    };
    for (const [list, select] of selects.entries())
        select.addEventListener('change', () => {
            report(calc.optionPick(list, select.selectedIndex));
            keep();
        });
    for (const [i, field] of fields.entries()) {
        field.addEventListener('beforeinput', (event) => {
            if (event.inputType !== 'insertText' || event.data === null)
                return;
            event.preventDefault();
            let changed = false;
            for (const ch of event.data) {
                const inserted = calc.fieldKey(i, ch.length === 1 ? ch.charCodeAt(0) : 0);
                if (inserted !== '') {
                    field.setRangeText(inserted, field.selectionStart, field.selectionEnd, 'end');
                    changed = true;
                }
            }
            if (changed)
                field.dispatchEvent(new Event('input'));
        });
        field.addEventListener('input', () => {
            report(calc.fieldChange(i));
            if (i === 0)
                keep();
        });
    }
    let kept = '';
    try {
        kept = localStorage.getItem(key) ?? '';
    } catch {}
    report(calc.restoreMaterial(kept));
}

function copy(text) {
    if (text)
        navigator.clipboard?.writeText(text).catch(() => {});
}

// What holds the focus, in the core's terms.
function focusedControl(element) {
    const kinds = core.FocusedControl;
    if (element?.matches('input[type=radio]'))
        return kinds.ModeButton;
    if (element?.matches('button'))
        return kinds.Button;
    if (element?.matches('[role=listbox]'))
        return kinds.KindsList;
    if (element?.matches('[role=combobox]'))
        return kinds.DropDownList;
    return element === edit ? kinds.NumberField : kinds.Other;
}

function bindCopy(calc) {
    document.addEventListener('keydown', (event) => {
        if (!(event.ctrlKey || event.metaKey) || event.key.toLowerCase() !== 'c')
            return;
        const text = calc.ctrlCCopy(focusedControl(document.activeElement), !document.getSelection().isCollapsed);
        if (!text)
            return;
        event.preventDefault();
        copy(text);
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
    const copies = [core.ResultCopy.Number, core.ResultCopy.WithUnit];
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
        const enabled = calc.resultCopyEnabled();
        for (const item of items)
            item.setAttribute('aria-disabled', enabled ? 'false' : 'true');
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
        copy(calc.resultCopyText(copies[items.indexOf(item)]));
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

// The core loads with the page; until it has, the controls are out of use
// (no click is taken and lost), and a page whose core cannot load says so
// and offers to try again.
// Instantiated at once: the code is compiled already, and a promise would
// wait for the next turn of a busy main thread.
const instantiate = (createModule, compiled) =>
    new Promise((resolve, reject) => {
        createModule({
            instantiateWasm(imports, receive) {
                receive(new WebAssembly.Instance(compiled, imports), compiled);
                return {};
            },
        }).then((module) => resolve(module.api()), reject);
    });

let core = null;
try {
    const [{default: createTarvik}, compiled] = await Promise.all([coreGlue, compiledCore]);
    core = await instantiate(createTarvik, compiled);
} catch (error) {
    const state = $('loadState');
    state.classList.add('failed');
    $('loadText').textContent = state.dataset.failed;
    $('loadRetry').hidden = false;
    $('loadRetry').addEventListener('click', () => location.reload());
    throw error;
}
$('loadState').hidden = true;
const form = $('Form1');
form.inert = false;
form.classList.remove('loading');
form.removeAttribute('aria-busy');
const calc = new core.Calculator(page);
addEventListener('languagechange', () => calc.readSeparator());

bindAccordion(calc);
for (const [list, c] of combos.entries())
    bindCombo(c, list, calc);
for (const [i, item] of ['sRadioGroupItem0', 'sRadioGroupItem1'].entries())
    $(item).addEventListener('change', () => report(calc.modeClick(i)));
$('sButtonCalc').addEventListener('click', () => report(calc.calcClick()));
bindEdit(calc);
bindMaterial(calc);
bindCopy(calc);
// Closing, the box gives the focus back to the control that had it, but not
// that field's caret: a press or a tap on the box (its button, its text) has
// moved the document's selection into it, and the keys would then reach the
// field and change nothing. The field's own selection is put back: at once
// when the button closes the box, since the browser may deliver the next
// keys before the close event; on that event for Escape.
function giveBackCaret() {
    const field = document.activeElement;
    if (field instanceof HTMLInputElement && field.selectionStart !== null)
        field.setSelectionRange(field.selectionStart, field.selectionEnd, field.selectionDirection);
}
$('errorOk').addEventListener('click', () => {
    errorBox.close();
    giveBackCaret();
});
errorBox.addEventListener('close', giveBackCaret);
performance.mark('tarvik-interactive');


// The estimate (its face, its WebAssembly) weighs nothing: it is fetched
// after the calculator answers, when the browser is first idle, or at once
// when «В смету» or «Смета» is pressed before that; the press is then
// carried out once it has bound. One that did not load says so beside the
// buttons, and the next press tries again.
let estimateLoad = null;
function loadEstimate() {
    estimateLoad ??= (async () => {
        const compiled = WebAssembly.compileStreaming(fetch('./tarvik-estimate.wasm', {credentials: 'same-origin'}));
        const [{bindEstimate}, {default: createEstimate}, module] =
            await Promise.all([import('./estimate.mjs'), import('./tarvik-estimate.js'), compiled]);
        $('estimateAdded').textContent = '';
        estimate = bindEstimate(await instantiate(createEstimate, module), calc, core);
        estimate.setAddEnabled(estimateAddEnabled);
        performance.mark('tarvik-estimate');
        return estimate;
    })().catch((error) => {
        estimateLoad = null;
        const added = $('estimateAdded');
        added.textContent = added.dataset.failed;
        throw error;
    });
    return estimateLoad;
}
for (const id of ['estimateAdd', 'estimateShow']) {
    const button = $(id);
    button.addEventListener('click', (event) => {
        if (estimate)
            return;
        event.stopImmediatePropagation();
        loadEstimate().then(() => button.click(), () => {});
    }, {capture: true});
}

// The browser's number format costs tens of milliseconds on first use (its
// locale data loads): the core reads it now if the page is idle first, and
// within a second in any case, since the estimate waits for it to come back.
const whenIdle = self.requestIdleCallback ? (run) => requestIdleCallback(run, {timeout: 1000}) : setTimeout;
whenIdle(() => {
    calc.readSeparator();
    loadEstimate().then((face) => face.restore(), () => {});
});

if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js');
