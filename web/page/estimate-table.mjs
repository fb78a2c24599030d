// The estimate's table: the header, a window of rows between two spacers,
// the totals under it; each number cell an input that takes keys by the
// core's rule and commits by Enter or by leaving it, each chosen cell («за»)
// a list that commits the choice taken. A refused text stays
// in its cell with the reason beside it, as the presenter keeps it.

import {$, fill} from './estimate-text.mjs';
// Rows rendered beyond the box's edges, so that a scroll by the wheel finds
// them there already.
const overscan = 8;

export function bindTable(face) {
    const {core, act, timed, words} = face;
    const box = $('estimateBox');
    const head = $('estimateHead');
    const body = $('estimateRows');
    const totals = $('estimateTotals');
    let header = [];
    let rowHeight = 0;
    let printing = false;
    let frame = 0;
    let selectedId = '';
    let hintTimer = 0;

    function render() {
        header = face.est.header();
        head.replaceChildren(...header.map((caption) => {
            const th = document.createElement('th');
            th.scope = 'col';
            th.textContent = caption;
            return th;
        }), document.createElement('td'));
        renderRows();
        renderTotals();
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
        const est = face.est;
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
            // A cell scrolled away with a text in it commits the text, once
            // these rows stand: its commit draws the table again.
            const leaving = active?.localName === 'input' && body.contains(active) ? active : null;
            body.replaceChildren(...before, ...after);
            if (leaving)
                commit(leaving);
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
            td.className = core.columnIsText(c) ? 'text' : 'number';
            if (core.cellChosen(c)) {
                const select = document.createElement('select');
                select.column = c;
                // Paper shows the choice as text, not a list.
                td.append(select, Object.assign(document.createElement('span'), {className: 'print'}));
                continue;
            }
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
    // cell it is in, and `typing` keeps what the user has typed there. A
    // focused cell not typed into follows the line (another tab's edit),
    // so that leaving it writes nothing back.
    function fillRow(tr, i, typing = false) {
        const est = face.est;
        const id = est.id(i);
        tr.id = `line-${id}`;
        tr.line = id;
        tr.classList.toggle('selected', id === selectedId);
        for (const [c, [text, reason, alert]] of est.row(i).entries()) {
            const td = tr.cells[c];
            const input = td.querySelector('input');
            td.classList.toggle('alert', alert !== '');
            const select = td.querySelector('select');
            if (select) {
                select.setAttribute('aria-label', fill(words.cellName, header[c], i + 1));
                select.replaceChildren(...est.choices(i, c).map((choice) => new Option(choice, choice)));
                select.value = text;
                select.nextElementSibling.textContent = text;
                continue;
            }
            if (!input) {
                td.textContent = text;
                // A line's number says when the line is not saved.
                if (reason)
                    td.title = reason;
                else
                    td.removeAttribute('title');
                continue;
            }
            input.setAttribute('aria-label', fill(words.cellName, header[c], i + 1));
            if (!(typing && input === document.activeElement && input.typed)) {
                input.value = text;
                input.typed = false;
            }
            input.shown = text;
            showRefusal(input, reason);
        }
        const notes = est.notes(i);
        if (notes) {
            const note = document.createElement('span');
            note.className = 'note';
            note.textContent = notes;
            tr.cells[core.noteColumn].append(note);
            tr.cells[core.noteColumn].title = notes;
        }
        tr.querySelector('.delete').setAttribute('aria-label', fill(words.deleteName, i + 1));
    }

    function renderTotals() {
        totals.replaceChildren(...face.est.totals().map((cells) => {
            const p = document.createElement('p');
            for (const text of cells)
                p.append(Object.assign(document.createElement('span'), {textContent: text}));
            return p;
        }));
    }

    // One line's texts anew, where its row is drawn.
    function showLine(row) {
        const tr = $(`line-${face.est.id(row)}`);
        if (tr)
            fillRow(tr, row, true);
    }

    // Brings line i into the box's view, selected. The focus stays where it
    // is and so does the page: a line added from the calculator leaves the
    // user at the calculator.
    function reveal(i) {
        selectedId = face.est.id(i);
        renderRows();
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

    // ---- Cells.

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
        input.reason = reason;
        if (!reason) {
            input.removeAttribute('aria-invalid');
            input.removeAttribute('aria-describedby');
            input.nextElementSibling?.remove();
            return;
        }
        const hint = hintOf(input);
        hint.textContent = reason;
        hint.removeAttribute('role');
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
            if (input.reason)
                hint.textContent = input.reason;
            else
                hint.remove();
        }, core.inputHintMilliseconds);
    }

    function commit(input) {
        const id = input.closest('tr').line;
        input.typed = false;
        timed('edit', () => act((e) => e.commitCell(id, input.column, input.value)));
    }

    // A choice taken is committed at once.
    body.addEventListener('change', (event) => {
        const select = event.target;
        if (select.localName === 'select')
            act((e) => e.commitCell(select.closest('tr').line, select.column, select.value));
    });
    body.addEventListener('input', (event) => {
        if (event.target.localName === 'input')
            event.target.typed = true;
    });
    body.addEventListener('beforeinput', (event) => {
        const input = event.target;
        if (event.inputType !== 'insertText' || event.data === null)
            return;
        event.preventDefault();
        for (const ch of event.data) {
            const [inserted, reason] = face.est.cellKey(input.decimals, input.value, input.selectionStart,
                                                        input.selectionEnd, ch.length === 1 ? ch.charCodeAt(0) : 0);
            if (inserted) {
                input.setRangeText(inserted, input.selectionStart, input.selectionEnd, 'end');
                input.typed = true;
            } else if (reason) {
                showKeyHint(input, reason);
            }
        }
    });
    body.addEventListener('paste', (event) => {
        const pasted = event.clipboardData?.getData('text/plain');
        if (pasted === undefined || event.target.localName !== 'input')
            return;
        event.preventDefault();
        const input = event.target;
        input.setRangeText(core.pastedNumberText(pasted), input.selectionStart, input.selectionEnd, 'end');
        input.typed = true;
    });
    body.addEventListener('keydown', (event) => {
        const input = event.target;
        if (input.localName !== 'input')
            return;
        if (event.key === 'Enter') {
            event.preventDefault();
            commit(input);
        } else if (event.key === 'Escape') {
            input.typed = false;
            act((e) => e.abandonCell(input.closest('tr').line, input.column));
            input.value = input.shown;
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
    body.addEventListener('click', (event) => {
        const remove = event.target.closest('.delete');
        if (!remove)
            return;
        const next = remove.closest('tr').nextElementSibling;
        act((e) => e.deleteLine(remove.closest('tr').line));
        // The focus goes on to the line that took its place, or to «Отменить».
        requestAnimationFrame(() => ($(next?.id)?.querySelector('.delete') ?? $('estimateUndo')).focus());
    });

    return {
        render,
        renderTotals,
        showLine,
        reveal,
        // Another estimate: from its top, nothing chosen.
        restart() {
            selectedId = '';
            box.scrollTop = 0;
            render();
        },
        // Paper takes every row; the screen goes back to its window of them.
        setPrinting(on) {
            if (printing === on)
                return false;
            printing = on;
            render();
            return true;
        },
        // The line chosen: the one the focus is in, or the one last selected.
        chosenLine: () => selectedId,
    };
}
