// The page's face of the estimate («Смета»): a section beside the calculator
// where the width allows, below it on a phone. The core's presenter keeps
// the lines, every number and rule, and says what to show; these modules
// show it and forward what the user does. Every text reaches the page as
// text (textContent, value), never as markup, and no number is computed here.

import {$, fill} from './estimate-text.mjs';
import {locked, store} from './estimate-store.mjs';
import {bindTable} from './estimate-table.mjs';
import {bindControls} from './estimate-controls.mjs';
import {bindExport} from './estimate-export.mjs';

// `core`: the estimate's module; `calc` the calculator and `calculatorCore`
// its module, which adds lines and answers for the catalogue.
export function bindEstimate(core, calc, calculatorCore) {
    const section = $('estimate');
    let est = null;

    // What the presenter asked to show, drawn once its call has returned:
    // the core is never called back while it is still answering.
    const asked = {estimate: false, rows: false, lines: new Set(), settings: false, chosen: -1,
                   commands: null, message: null, save: false};
    const view = {
        showEstimate: () => { asked.estimate = true; },
        showRows: () => { asked.rows = true; },
        showLine: (row) => { asked.lines.add(row); },
        showSettings: () => { asked.settings = true; },
        chooseLine: (row) => { asked.chosen = row; },
        showCommands: (canUndo, undoText, canRedo, redoText) => {
            asked.commands = {canUndo: canUndo !== 0, undoText, canRedo: canRedo !== 0, redoText};
        },
        showMessage: (text, tone) => { asked.message = {text, tone}; },
        saveSoon: () => { asked.save = true; },
    };

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
    }, view)));

    // Runs what the user did, then shows what the presenter asked for.
    const act = (action) => {
        const result = action(estimate());
        draw();
        return result;
    };
    const face = {core, act, timed, get est() { return estimate(); }, words: section.dataset};
    const table = bindTable(face);
    const controls = bindControls(face, table);
    bindExport(face, table, controls);

    function draw() {
        const {estimate: all, rows, lines, settings, chosen, commands, message, save: saving} = asked;
        Object.assign(asked, {estimate: false, rows: false, settings: false, chosen: -1, commands: null,
                              message: null, save: false});
        asked.lines = new Set();
        if (all) {
            table.restart();
            controls.showEstimate();
        } else if (rows) {
            table.render();
        } else {
            for (const row of lines)
                table.showLine(row);
            if (lines.size > 0)
                table.renderTotals();
        }
        if (settings) {
            controls.showSettings();
            table.renderTotals();
        }
        if (chosen >= 0)
            table.reveal(chosen);
        if (commands)
            controls.showCommands(commands);
        if (message)
            controls.say(message.text, message.tone);
        else if (saving)
            controls.say('');
        if (saving)
            save();
    }

    // Saved after the change has been drawn. A hidden page draws nothing and
    // may be closed or discarded unseen: it saves at once, and a page being
    // hidden or left saves what is pending.
    let saving = false;
    function saveNow(event) {
        if (!saving)
            return;
        saving = false;
        locked(() => timed('save', () => act((e) => e.save())), document.hidden || event?.type === 'pagehide');
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
    // Lines the storage refused live only here: leaving asks first.
    addEventListener('beforeunload', (event) => {
        if (est?.unsaved()) {
            event.preventDefault();
            event.returnValue = '';
        }
    });

    // Another tab of the page stored an estimate: its lines merge into the
    // open one, and the list follows. Tabs read the browser's storage a
    // moment late, so a tab may have written over a change it had not yet
    // seen; a merge that brought news is written back, and the other tab,
    // finding nothing new in it, stops there.
    addEventListener('storage', (event) => {
        if (!est || (event.key !== null && !event.key.startsWith('tarvik.')))
            return;
        act((e) => e.refresh());
        // Each entry is read for its name: not again for every change of the
        // open one.
        if (event.key !== `tarvik.estimate.${est.key()}`)
            controls.renderList();
    });

    function show() {
        estimate();
        if (section.hidden) {
            section.hidden = false;
            est.setShown(true);
            table.render();
            controls.showEstimate();
            act((e) => e.tellMessages());
        }
    }

    // ---- The two buttons beside «Расчитать».

    // The button says beside itself which line it added, for as long as the
    // result it took stands.
    const added = $('estimateAdded');
    const addButton = $('estimateAdd');
    addButton.addEventListener('click', () => {
        show();
        const calculation = calc.calculationToAdd();
        if (calculation.length === 0)
            return;
        const lines = est.size();
        act((e) => e.add(...calculation));
        added.textContent = est.size() > lines ? fill(added.dataset.text, est.size()) : '';
    });
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
