// The estimate's controls around its table: the estimates kept (new, open,
// rename, duplicate, delete), «Отменить» and «Вернуть» with their keys,
// clearing, the VAT settings and the status line.

import {$, today} from './estimate-text.mjs';

export function bindControls(face, table) {
    const {core, act} = face;
    const section = $('estimate');
    const status = $('estimateStatus');
    const undoButton = $('estimateUndo');
    const redoButton = $('estimateRedo');
    const vatRate = $('vatRate');
    const vatIncluded = $('vatIncluded');

    // The presenter's tones: 0 done, 1 not done, 2 a key refused (for a moment).
    let sayTimer = 0;
    function say(text, tone = 0) {
        clearTimeout(sayTimer);
        status.textContent = text;
        status.classList.toggle('error', tone === 1);
        if (tone === 2)
            sayTimer = setTimeout(() => say(''), core.inputHintMilliseconds);
    }

    // The estimates kept, by name; drawn when one is made, opened, renamed
    // or removed here or in another tab (each entry is read for its name).
    // Below them the deleted estimates, to bring back, and the damaged ones,
    // to recover what reads of them.
    function renderList() {
        const est = face.est;
        const option = (text, value, selected = false, kind = '') => {
            const o = new Option('', value, false, selected);
            o.textContent = text;
            o.dataset.kind = kind;
            return o;
        };
        const group = (label, options) => {
            const g = document.createElement('optgroup');
            g.label = label;
            g.append(...options);
            return g;
        };
        const [deletedLabel, damagedLabel] = est.listGroups();
        const deleted = est.deletedEstimates().map(([id, name, ms]) => {
            const day = new Date(Number(ms));
            return option(est.deletedText(name, day.getFullYear(), day.getMonth() + 1, day.getDate()), id, false,
                          'deleted');
        });
        const damaged = est.damagedEstimates().map(([id, text]) => option(text, id, false, 'damaged'));
        $('estimateList').replaceChildren(...est.entries().map(([key, name]) => option(name, key, key === est.key())),
                                          ...(deleted.length ? [group(deletedLabel, deleted)] : []),
                                          ...(damaged.length ? [group(damagedLabel, damaged)] : []));
    }

    function showSettings() {
        const est = face.est;
        if (document.activeElement !== vatRate || !vatRate.hasAttribute('aria-invalid')) {
            vatRate.value = est.vatRate();
            vatRate.removeAttribute('aria-invalid');
            showVat('');
        }
        vatIncluded.checked = est.pricesIncludeVat();
    }

    function showEstimate() {
        $('estimateTitle').textContent = face.est.title();
        $('estimateDate').textContent = face.est.printedDate(...today());
        showSettings();
        renderList();
    }

    // Each button says what it would take back or do again.
    function showCommands({canUndo, undoText, canRedo, redoText}) {
        for (const [button, enabled, text] of [[undoButton, canUndo, undoText], [redoButton, canRedo, redoText]]) {
            button.disabled = !enabled;
            button.title = text;
            button.setAttribute('aria-description', text);
        }
    }

    // ---- Lines: clearing, undoing and redoing.

    $('estimateClear').addEventListener('click', () => act((e) => e.clear()));
    undoButton.addEventListener('click', () => act((e) => e.undo()));
    redoButton.addEventListener('click', () => act((e) => e.redo()));
    section.addEventListener('keydown', (event) => {
        // In a field Ctrl+Z undoes its typing, as in any text field.
        if (!(event.ctrlKey || event.metaKey) || event.target.localName === 'input')
            return;
        const key = event.key.toLowerCase();
        if (key === 'z' && !event.shiftKey) {
            event.preventDefault();
            act((e) => e.undo());
        } else if (key === 'y' || (key === 'z' && event.shiftKey)) {
            event.preventDefault();
            act((e) => e.redo());
        }
    });

    // ---- VAT.

    vatRate.addEventListener('beforeinput', (event) => {
        if (event.inputType !== 'insertText' || event.data === null)
            return;
        event.preventDefault();
        for (const ch of event.data) {
            const [inserted, reason] = face.est.cellKey(core.vatRateDecimals, vatRate.value, vatRate.selectionStart,
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
        if (act((e) => e.commitVatRate(vatRate.value))) {
            vatRate.removeAttribute('aria-invalid');
            showVat('');
            vatRate.value = face.est.vatRate();
            return;
        }
        vatRate.setAttribute('aria-invalid', 'true');
        showVat(status.textContent);
    };
    vatRate.addEventListener('keydown', (event) => {
        if (event.key === 'Enter')
            commitVat();
    });
    vatRate.addEventListener('blur', commitVat);
    vatIncluded.addEventListener('change', () => act((e) => e.setPricesIncludeVat(vatIncluded.checked)));

    // ---- The estimates kept.

    $('estimateNew').addEventListener('click', () => act((e) => e.create()));
    $('estimateList').addEventListener('change', (event) => {
        const chosen = event.target.selectedOptions[0];
        if (chosen?.dataset.kind === 'deleted')
            act((e) => e.restoreDeleted(chosen.value));
        else if (chosen?.dataset.kind === 'damaged')
            act((e) => e.recoverDamaged(chosen.value));
        else if (chosen)
            act((e) => e.open(chosen.value));
    });
    $('estimateDuplicate').addEventListener('click', () => act((e) => e.duplicate()));
    $('estimateDelete').addEventListener('click', () => act((e) => e.deleteEstimate()));
    const renameBox = $('renameBox');
    const renameName = $('renameName');
    $('estimateRename').addEventListener('click', () => {
        renameName.value = face.est.name();
        renameBox.showModal();
        renameName.select();
    });
    const rename = () => {
        renameBox.close();
        act((e) => e.rename(renameName.value));
    };
    $('renameOk').addEventListener('click', rename);
    renameName.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') {
            event.preventDefault();
            rename();
        }
    });
    $('renameCancel').addEventListener('click', () => renameBox.close());

    return {say, renderList, showSettings, showEstimate, showCommands};
}
