// The browser's storage under the estimates' library, and what the page
// knows of other tabs' writes to it.

// The browser's storage as the core's estimate storage reads and writes it.
// What the browser throws (a refused quota, storage turned off) is answered
// as a plain value: 0 stored, 1 over the quota, 2 refused.
const attempt = (action, otherwise) => {
    try {
        return action();
    } catch (error) {
        return otherwise(error);
    }
};
// The entries whose value is the one this tab last read or wrote, until a
// storage event says another tab changed them: the core keeps that value
// and need not read megabytes back at every save.
const fresh = new Set();
addEventListener('storage', (event) => (event.key === null ? fresh.clear() : fresh.delete(event.key)));
// A page brought back from the browser's history cache may have missed
// other tabs' storage events.
addEventListener('pageshow', (event) => event.persisted && fresh.clear());
// A read the browser refused is not a missing entry, which the core would
// write anew: -1 keys, or null from `get` with `readFailed` true after it.
let readFailed = false;
export const store = {
    keyCount: () => attempt(() => localStorage.length, () => -1),
    keyAt: (index) => attempt(() => localStorage.key(index), () => null),
    get: (key) => attempt(() => {
        readFailed = false;
        const value = localStorage.getItem(key);
        fresh.add(key);
        return value;
    }, () => {
        readFailed = true;
        return null;
    }),
    readFailed: () => readFailed,
    fresh: (key) => fresh.has(key),
    set: (key, value) => attempt(() => {
        fresh.delete(key);
        localStorage.setItem(key, value);
        fresh.add(key);
        return 0;
    }, (error) => (error?.name === 'QuotaExceededError' ? 1 : 2)),
    remove: (key) => attempt(() => {
        fresh.delete(key);
        localStorage.removeItem(key);
    }, () => {}),
};

// A save's read, merge and write, one tab at a time: under the browser's
// Web Locks, which a page has only in a secure context. Elsewhere, and for
// a page being hidden or left, which cannot wait for another tab's save,
// the save runs at once: the core reads its write back, and a tab that
// finds its changes written over by another's saves them again.
export const locked = (save, now) => {
    if (now || !navigator.locks)
        return save();
    // A request the browser refuses still saves; a save that threw is not
    // run again.
    let ran = false;
    navigator.locks.request('tarvik.estimate.save', () => {
        ran = true;
        return save();
    }).catch(() => ran || save());
};
