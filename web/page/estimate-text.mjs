// What the estimate's modules share to write on the page.

export const $ = (id) => document.getElementById(id);
// A caption's "{}" marks, filled in order.
export const fill = (template, ...values) => values.reduce((text, value) => text.replace('{}', value), template);
// The local date as the core takes it: year, month, day.
export const today = () => {
    const d = new Date();
    return [d.getFullYear(), d.getMonth() + 1, d.getDate()];
};
