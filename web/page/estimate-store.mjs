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
