// The estimate taken elsewhere: the clipboard, a CSV file, paper, and a
// file of its own that either face imports (chosen or dropped on the
// section).

import {$, today} from './estimate-text.mjs';

// The bytes the core wrote, handed to the browser as a download.
function download(bytes, name, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], {type}));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

export function bindExport(face, table, controls) {
    const {core, act, timed, words} = face;

    $('estimateCopy').addEventListener('click', () => {
        navigator.clipboard?.writeText(face.est.tabText()).then(() => controls.say(words.copied), () => {});
    });
    $('estimateCsv').addEventListener('click', () => {
        download(timed('csv', () => face.est.csv()), face.est.csvName(...today()), 'text/csv');
    });

    $('estimateExport').addEventListener('click', () => {
        const [name, bytes] = face.est.exportFile();
        download(bytes, name, 'application/json');
    });
    // The core reads what the browser decoded; past the core's limit the
    // file is not read whole, and the core refuses what it is given.
    const importFile = async (file) => {
        const text = await file.slice(0, core.maxEstimateFileBytes).text();
        act((e) => e.importFile(text, file.name));
    };
    const chooser = $('estimateFile');
    $('estimateImport').addEventListener('click', () => chooser.click());
    chooser.addEventListener('change', () => {
        const [file] = chooser.files;
        // The same file chosen again is another import.
        chooser.value = '';
        if (file)
            importFile(file);
    });
    // Files only: a text dragged into a cell stays the cell's.
    const section = $('estimate');
    section.addEventListener('dragover', (event) => {
        if (!event.dataTransfer?.types.includes('Files'))
            return;
        event.preventDefault();
        event.dataTransfer.dropEffect = 'copy';
    });
    section.addEventListener('drop', (event) => {
        const files = event.dataTransfer?.files;
        if (!files || files.length === 0)
            return;
        event.preventDefault();
        if (files.length === 1)
            importFile(files[0]);
    });
    // Paper takes every row; the screen goes back to its window of them.
    const printMedia = matchMedia('print');
    const setPrinting = (on) => table.setPrinting(on);
    addEventListener('beforeprint', () => setPrinting(true));
    addEventListener('afterprint', () => setPrinting(false));
    printMedia.addEventListener('change', () => setPrinting(printMedia.matches));
    $('estimatePrint').addEventListener('click', () => {
        setPrinting(true);
        print();
    });
}
