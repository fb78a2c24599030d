// The page's face of the estimate («Смета»): a section beside the calculator
// where the width allows, below it on a phone. The core keeps the lines and
// every number and rule; this module shows rows and forwards what the user
// does. Every text reaches the page as text (textContent, value), never as
// markup, and no number is computed here.

import {store} from './estimate-store.mjs';

const $ = (id) => document.getElementById(id);
// A caption's "{}" marks, filled in order.
const fill = (template, ...values) => values.reduce((text, value) => text.replace('{}', value), template);
const today = () => {
    const d = new Date();
    return [d.getFullYear(), d.getMonth() + 1, d.getDate()];
};
// Rows rendered beyond the box's edges, so that a scroll by the wheel finds
// them there already.
const overscan = 8;

// `core`: the estimate's module; `calc` the calculator and `calculatorCore`
// its module, which adds lines and answers for the catalogue.
export function bindEstimate(core, calc, calculatorCore) {
    const section = $('estimate');
    const words = section.dataset; // the captions the module composes from
    const box = $('estimateBox');
    const head = $('estimateHead');
    const body = $('estimateRows');
    const totals = $('estimateTotals');
    const status = $('estimateStatus');
    const addButton = $('estimateAdd');
    const undoButton = $('estimateUndo');
    const vatRate = $('vatRate');
    const vatIncluded = $('vatIncluded');
    const nameColumn = 1, massColumn = 8, costColumn = 10;
    let est = null;
    let undoes = null; // what «Отменить» brings back: lines, or an estimate
    let header = [];
    let rowHeight = 0;
    let printing = false;
    let frame = 0;
    let selectedId = '';
    let hintTimer = 0;
    // Edits the estimate refused, by "id column": the cell keeps the text
    // and says why until it is corrected or abandoned (Escape).
    const refused = new Map();

    // Each step the benchmark times is measured where it runs.
    const timed = (name, step) => {
        const start = performance.now();
        const result = step();
        performance.measure(`tarvik-estimate-${name}`, {start});
        return result;
    };
    // The estimates open once the calculator's separator is known: the
    // lines it adds are written with it.
    const estimate = () => (est ??= timed('open', () => new core.Estimate(calc.separator(), store, {
        family: (header) => calculatorCore.catalogueFamily(header),
        unitMass: (header, kind, size) => calculatorCore.catalogueUnitMass(header, kind, size),
    })));

    function say(text) {
        status.textContent = text;
    }

    // What the library has to tell (a refused write, an entry kept aside).
    function tell() {
        const messages = est.messages();
        if (messages.length > 0)
            say(messages.join(' '));
    }

    // Saved after the change has been drawn; a save that brought in another
    // tab's changes draws again. A hidden page draws nothing and may be
    // closed or discarded unseen: it saves at once, and a page being hidden
    // or left saves what is pending.
    let saving = false;
    function saveNow() {
        if (!saving)
            return;
        saving = false;
        if (timed('save', () => est.save()))
            changed();
        tell();
    }
    function save() {
        if (saving)
            return;
        saving = true;
        if (document.hidden)
            setTimeout(saveNow);
        else
            requestAnimationFrame(() => setTimeout(saveNow));
    }
    document.addEventListener('visibilitychange', () => {
        if (document.hidden)
            saveNow();
    });
    addEventListener('pagehide', saveNow);

    function offerUndo(what) {
        undoes = what;
        undoButton.hidden = what === null;
    }

    // ---- The table: the header, a window of rows between two spacers, and
    // the totals under it.

    function render() {
        header = estimate().header();
        head.replaceChildren(...header.map((caption) => {
            const th = document.createElement('th');
            th.scope = 'col';
            th.textContent = caption;
            return th;
        }), document.createElement('td'));
        $('estimateTitle').textContent = est.title();
        $('estimateDate').textContent = est.printedDate(...today());
        if (document.activeElement !== vatRate) {
            vatRate.value = est.vatRate();
            vatRate.removeAttribute('aria-invalid');
            showVat('');
        }
        vatIncluded.checked = est.pricesIncludeVat();
        renderRows();
        renderTotals();
    }

    // The estimates kept, by name; drawn when one is made, opened, renamed
    // or removed here or in another tab (each entry is read for its name).
    function renderList() {
        $('estimateList').replaceChildren(...est.entries().map(([key, name]) => {
            const option = new Option('', key, false, key === est.key());
            option.textContent = name;
            return option;
        }));
    }

    function spacer(rows) {
        const tr = document.createElement('tr');
        tr.className = 'spacer';
        tr.setAttribute('aria-hidden', 'true');
        tr.style.height = `${rows * rowHeight}px`;
        return tr;
    }

    // Only the rows in view are in the document (ten thousand lines would
    // take seconds to lay out); printing takes them all. The row that holds
    // the focus stays the same element while it is in view, so that what is
    // being typed there is neither lost nor committed by a scroll.
    function renderRows() {
        const n = est.size();
        let first = 0, last = n;
        if (!printing && rowHeight > 0) {
            const top = box.scrollTop - head.offsetHeight;
            first = Math.max(0, Math.floor(top / rowHeight) - overscan);
            last = Math.min(n, first + Math.ceil(box.clientHeight / rowHeight) + 2 * overscan);
        } else if (!printing) {
            last = Math.min(n, 1);
        }
        const active = document.activeElement;
        let focused = body.contains(active) ? active.closest('tr') : null;
        const before = [spacer(first)], after = [];
        for (let i = first; i < last; ++i) {
            if (focused && est.id(i) === focused.line) {
                fillRow(focused, i, true);
                before.push(focused);
                focused = null; // found: the rows after it go after it
                continue;
            }
            (focused ? before : after).push(lineRow(i));
        }
        after.push(spacer(n - last));
        const kept = body.contains(active) && before.includes(active.closest('tr')) ? active.closest('tr') : null;
        if (kept) {
            for (const tr of [...body.children])
                if (tr !== kept)
                    tr.remove();
            kept.before(...before.slice(0, -1));
            kept.after(...after);
        } else {
            if (active?.localName === 'input' && body.contains(active))
                commit(active);
            body.replaceChildren(...before, ...after);
        }
        if (n > 0 && rowHeight === 0) {
            rowHeight = body.children[1].getBoundingClientRect().height;
            if (rowHeight > 0)
                renderRows();
        }
    }

    function lineRow(i) {
        const tr = document.createElement('tr');
        tr.tabIndex = -1;
        for (let c = 0; c < header.length; ++c) {
            const td = tr.insertCell();
            const decimals = core.cellDecimals(c);
            if (decimals < 0)
                continue;
            const input = document.createElement('input');
            input.inputMode = decimals === 0 ? 'numeric' : 'decimal';
            input.autocomplete = 'off';
            input.spellcheck = false;
            input.column = c;
            input.decimals = decimals;
            td.append(input);
        }
        const remove = document.createElement('button');
        remove.type = 'button';
        remove.className = 'delete';
        remove.textContent = words.deleteText;
        tr.insertCell().append(remove);
        fillRow(tr, i);
        return tr;
    }

    // Writes line i's texts into its row, in place: the focus stays in the
    // cell it is in, and `typing` keeps what is being typed there.
    function fillRow(tr, i, typing = false) {
        const id = est.id(i);
        tr.id = `line-${id}`;
        tr.line = id;
        tr.classList.toggle('selected', id === selectedId);
        for (const [c, text] of est.row(i).entries()) {
            const td = tr.cells[c];
            const input = td.querySelector('input');
            if (!input) {
                td.textContent = text;
                continue;
            }
            input.setAttribute('aria-label', fill(words.cellName, header[c], i + 1));
            const refusal = refused.get(`${id} ${c}`);
            if (!(typing && input === document.activeElement))
                input.value = refusal ? refusal.text : text;
            input.shown = text;
            showRefusal(input, refusal?.reason ?? '');
        }
        const notes = est.notes(i);
        if (notes) {
            const note = document.createElement('span');
            note.className = 'note';
            note.textContent = notes;
            tr.cells[nameColumn].append(note);
            tr.cells[nameColumn].title = notes;
        }
        tr.querySelector('.delete').setAttribute('aria-label', fill(words.deleteName, i + 1));
    }

    function renderTotals() {
        totals.replaceChildren(...[['', header[massColumn], header[costColumn]], ...est.totals()].map((cells) => {
            const p = document.createElement('p');
            for (const text of cells)
                p.append(Object.assign(document.createElement('span'), {textContent: text}));
            return p;
        }));
    }

    // After a change that moves rows: drawn in the next frame, then saved.
    function changed() {
        cancelAnimationFrame(frame);
        frame = requestAnimationFrame(() => {
            frame = 0;
            render();
        });
    }

    // Brings line i into the box's view, selected. The focus stays where it
    // is and so does the page: a line added from the calculator leaves the
    // user at the calculator.
    function reveal(i) {
        selectedId = est.id(i);
        render();
        const top = head.offsetHeight + i * rowHeight;
        if (top < box.scrollTop + head.offsetHeight || top + rowHeight > box.scrollTop + box.clientHeight)
            box.scrollTop = top - box.clientHeight / 2;
        renderRows();
    }

    box.addEventListener('scroll', () => {
        if (!frame)
            frame = requestAnimationFrame(() => {
                frame = 0;
                renderRows();
            });
    }, {passive: true});

    function show() {
        estimate();
        if (section.hidden) {
            section.hidden = false;
            est.setShown(true);
            render();
            renderList();
            tell();
        }
    }

    // ---- Cells: the number field's key rule with each cell's decimals, a
    // change committed by Enter or by leaving the cell, a refusal shown in
    // the cell itself.

    function hintOf(input) {
        let hint = input.nextElementSibling;
        if (!hint) {
            hint = document.createElement('span');
            hint.className = 'cellHint';
            hint.id = `${input.closest('tr').id}-${input.column}`;
            input.after(hint);
        }
        return hint;
    }

    function showRefusal(input, reason) {
        if (!reason) {
            input.removeAttribute('aria-invalid');
            input.removeAttribute('aria-describedby');
            input.nextElementSibling?.remove();
            return;
        }
        const hint = hintOf(input);
        hint.textContent = reason;
        input.setAttribute('aria-invalid', 'true');
        input.setAttribute('aria-describedby', hint.id);
    }

    // A refused key's reason, for a moment, where an edit's refusal would
    // stand.
    function showKeyHint(input, reason) {
        const hint = hintOf(input);
        hint.textContent = reason;
        hint.setAttribute('role', 'status');
        clearTimeout(hintTimer);
        hintTimer = setTimeout(() => {
            // Back to the refusal of the last edit, if there is one.
            const refusal = refused.get(`${input.closest('tr')?.line} ${input.column}`);
            if (refusal)
                hint.textContent = refusal.reason;
            else
                hint.remove();
        }, core.inputHintMilliseconds);
    }

    function commit(input) {
        const id = input.closest('tr').line;
        const key = `${id} ${input.column}`;
        if (input.value === (refused.get(key)?.text ?? input.shown))
            return;
        const reason = timed('edit', () => est.edit(id, input.column, input.value));
        if (reason) {
            refused.set(key, {text: input.value, reason});
            showRefusal(input, reason);
            return;
        }
        refused.delete(key);
        offerUndo(null);
        // One line and the totals change; the rows stay where they are. (A
        // line another tab deleted meanwhile is gone: everything is redrawn.)
        const row = est.rowOf(id);
        if (row < 0) {
            changed();
            return;
        }
        fillRow(input.closest('tr'), row);
        renderTotals();
        save();
    }

    body.addEventListener('beforeinput', (event) => {
        const input = event.target;
        if (event.inputType !== 'insertText' || event.data === null)
            return;
        event.preventDefault();
        for (const ch of event.data) {
            const [inserted, reason] = est.cellKey(input.decimals, input.value, input.selectionStart,
                                                   input.selectionEnd, ch.length === 1 ? ch.charCodeAt(0) : 0);
            if (inserted)
                input.setRangeText(inserted, input.selectionStart, input.selectionEnd, 'end');
            else if (reason)
                showKeyHint(input, reason);
        }
    });
    body.addEventListener('paste', (event) => {
        const pasted = event.clipboardData?.getData('text/plain');
        if (pasted === undefined || event.target.localName !== 'input')
            return;
        event.preventDefault();
        const input = event.target;
        input.setRangeText(core.pastedNumberText(pasted), input.selectionStart, input.selectionEnd, 'end');
    });
    body.addEventListener('keydown', (event) => {
        const input = event.target;
        if (input.localName !== 'input')
            return;
        if (event.key === 'Enter') {
            event.preventDefault();
            commit(input);
        } else if (event.key === 'Escape') {
            refused.delete(`${input.closest('tr').line} ${input.column}`);
            input.value = input.shown;
            showRefusal(input, '');
        }
    });
    body.addEventListener('focusout', (event) => {
        if (event.target.localName === 'input' && event.target.isConnected)
            commit(event.target);
    });
    body.addEventListener('focusin', (event) => {
        const tr = event.target.closest('tr');
        if (!tr?.line || tr.line === selectedId)
            return;
        $(`line-${selectedId}`)?.classList.remove('selected');
        selectedId = tr.line;
        tr.classList.add('selected');
    });

    // ---- Deleting, clearing and bringing back.

    function removed() {
        offerUndo('lines');
        changed();
        save();
    }

    function undo() {
        if (undoes === 'estimate') {
            if (est.undoRemove())
                switched();
            return;
        }
        const restored = est.undo();
        offerUndo(null);
        if (!restored)
            return;
        changed();
        save();
    }

    body.addEventListener('click', (event) => {
        const remove = event.target.closest('.delete');
        if (!remove)
            return;
        const next = remove.closest('tr').nextElementSibling;
        est.remove(remove.closest('tr').line);
        removed();
        // The focus goes on to the line that took its place, or to «Отменить».
        requestAnimationFrame(() => ($(next?.id)?.querySelector('.delete') ?? undoButton).focus());
    });
    $('estimateClear').addEventListener('click', () => {
        est.clear();
        removed();
    });
    undoButton.addEventListener('click', undo);
    section.addEventListener('keydown', (event) => {
        // In a cell Ctrl+Z undoes its typing, as in any text field.
        if ((event.ctrlKey || event.metaKey) && event.key.toLowerCase() === 'z' && !event.shiftKey &&
            event.target.localName !== 'input') {
            event.preventDefault();
            undo();
        }
    });

    // ---- VAT.

    vatRate.addEventListener('beforeinput', (event) => {
        if (event.inputType !== 'insertText' || event.data === null)
            return;
        event.preventDefault();
        for (const ch of event.data) {
            const [inserted, reason] = est.cellKey(core.vatRateDecimals, vatRate.value, vatRate.selectionStart,
                                                   vatRate.selectionEnd, ch.charCodeAt(0));
            vatRate.setRangeText(inserted, vatRate.selectionStart, vatRate.selectionEnd, 'end');
            if (reason)
                showVat(reason);
        }
    });
    function showVat(reason) {
        $('vatError').textContent = reason;
        $('vatError').hidden = reason === '';
    }
    // Committed as a cell is: by Enter or by leaving the field (the key
    // rule's insertions raise no change event).
    const commitVat = () => {
        if (vatRate.value === est.vatRate())
            return;
        const reason = est.setVatRate(vatRate.value);
        showVat(reason);
        if (reason) {
            vatRate.setAttribute('aria-invalid', 'true');
            return;
        }
        vatRate.removeAttribute('aria-invalid');
        vatRate.value = est.vatRate();
        renderTotals();
        save();
    };
    vatRate.addEventListener('keydown', (event) => {
        if (event.key === 'Enter')
            commitVat();
    });
    vatRate.addEventListener('blur', commitVat);
    vatIncluded.addEventListener('change', () => {
        est.setPricesIncludeVat(vatIncluded.checked);
        renderTotals();
        save();
    });

    // ---- The estimates kept: a new one, another opened, renamed,
    // duplicated, deleted (and brought back by «Отменить»).

    // After the library switched or renamed the open estimate.
    function switched() {
        refused.clear();
        selectedId = '';
        box.scrollTop = 0;
        offerUndo(null);
        say('');
        render();
        renderList();
        tell();
    }
    $('estimateNew').addEventListener('click', () => {
        est.create();
        switched();
    });
    $('estimateList').addEventListener('change', (event) => {
        est.open(event.target.value);
        switched();
    });
    $('estimateDuplicate').addEventListener('click', () => {
        est.duplicate();
        switched();
    });
    $('estimateDelete').addEventListener('click', () => {
        const name = est.name();
        est.removeEstimate(est.key());
        switched();
        offerUndo('estimate');
        say(fill(words.removed, name));
    });
    const renameBox = $('renameBox');
    const renameName = $('renameName');
    $('estimateRename').addEventListener('click', () => {
        renameName.value = est.name();
        renameBox.showModal();
        renameName.select();
    });
    const rename = () => {
        renameBox.close();
        const refused = est.rename(renameName.value);
        switched();
        if (refused)
            say(refused);
    };
    $('renameOk').addEventListener('click', rename);
    renameName.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') {
            event.preventDefault();
            rename();
        }
    });
    $('renameCancel').addEventListener('click', () => renameBox.close());

    // Another tab of the page stored an estimate: its lines merge into the
    // open one, and the list follows. Tabs read the browser's storage a
    // moment late, so a tab may have written over a change it had not yet
    // seen; a merge that brought news is written back, and the other tab,
    // finding nothing new in it, stops there.
    addEventListener('storage', (event) => {
        if (!est || (event.key !== null && !event.key.startsWith('tarvik.')))
            return;
        if (est.refresh())
            save();
        changed();
        // Each entry is read for its name: not again for every change of the
        // open one.
        if (event.key !== `tarvik.estimate.${est.key()}`)
            renderList();
        tell();
    });

    // ---- Export: the clipboard, a CSV file and paper.

    $('estimateCopy').addEventListener('click', () => {
        navigator.clipboard?.writeText(est.tabText()).then(() => say(words.copied), () => {});
    });
    $('estimateCsv').addEventListener('click', () => {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([timed('csv', () => est.csv())], {type: 'text/csv'}));
        link.download = est.csvName(...today());
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    });
    // Paper takes every row; the screen goes back to its window of them.
    const printMedia = matchMedia('print');
    const setPrinting = (on) => {
        if (!est || printing === on)
            return;
        printing = on;
        render();
    };
    addEventListener('beforeprint', () => setPrinting(true));
    addEventListener('afterprint', () => setPrinting(false));
    printMedia.addEventListener('change', () => setPrinting(printMedia.matches));
    $('estimatePrint').addEventListener('click', () => {
        setPrinting(true);
        print();
    });

    // ---- The two buttons beside «Расчитать».

    // The button says beside itself which line it added, for as long as the
    // result it took stands.
    const added = $('estimateAdded');
    addButton.addEventListener('click', () => {
        show();
        const calculation = calc.calculationToAdd();
        if (calculation.length === 0)
            return;
        const reason = est.add(...calculation);
        if (reason) {
            added.textContent = '';
            say(reason);
            return;
        }
        offerUndo(null);
        const line = est.size();
        reveal(line - 1);
        added.textContent = fill(added.dataset.text, line);
        save();
    });
    $('estimateShow').disabled = false;
    $('estimateShow').addEventListener('click', () => {
        show();
        $('estimateTitle').focus();
        section.scrollIntoView({block: 'nearest'});
    });

    return {
        setAddEnabled(enabled) {
            addButton.disabled = !enabled;
            if (!enabled)
                added.textContent = '';
        },
        // The section comes back open when it was open at the last visit.
        restore() {
            if (core.estimateShownLast(store))
                show();
        },
    };
}
