// The estimate taken elsewhere: the clipboard, a CSV file and paper.

const $ = (id) => document.getElementById(id);
const today = () => {
    const d = new Date();
    return [d.getFullYear(), d.getMonth() + 1, d.getDate()];
};

export function bindExport(face, table, controls) {
    const {timed, words} = face;

    $('estimateCopy').addEventListener('click', () => {
        navigator.clipboard?.writeText(face.est.tabText()).then(() => controls.say(words.copied), () => {});
    });
    $('estimateCsv').addEventListener('click', () => {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([timed('csv', () => face.est.csv())], {type: 'text/csv'}));
        link.download = face.est.csvName(...today());
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 1000);
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
