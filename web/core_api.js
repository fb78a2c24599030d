// The core's entry points as the page calls them: classes, functions and
// constants made from the core's own table (web/entry_points.cpp), so that
// each is named once. Arguments cross as numbers and texts; an object
// argument is one of the page's objects the core calls back (its role is
// in the method's kind) or one of these classes, which the core knows
// already. Answers come back as the method's kind says; the digits after a
// kind name the roles of its object arguments in turn.
Module['bridge'] = {args: [], answer: [], partners: []};
Module['api'] = function () {
    const bridge = Module['bridge'];
    const collect = (run) => {
        const outer = bridge.answer;
        bridge.answer = [];
        const value = run();
        const answer = bridge.answer;
        bridge.answer = outer;
        return [value, answer];
    };
    const call = (method, kind, args) => {
        let role = 1;
        args.forEach((arg, i) => {
            if (typeof arg === 'string') {
                const to = _tarvik_set_text(i, arg.length) >> 1;
                for (let k = 0; k < arg.length; ++k)
                    HEAPU16[to + k] = arg.charCodeAt(k);
            } else if (arg !== null && typeof arg === 'object') {
                if (kind[role])
                    bridge.partners[kind[role++]] = arg;
            } else {
                _tarvik_set_number(i, Number(arg));
            }
        });
        const [value, answer] = collect(() => _tarvik_call(method));
        const rows = (size) => answer.flatMap((_, i) => (i % size ? [] : [answer.slice(i, i + size)]));
        switch (kind[0]) {
        case 'i': return value;
        case 'b': return value !== 0;
        case 't': return answer[0] ?? '';
        case 'l': return answer;
        case 'P': return rows(2);
        case 'T': return rows(3);
        }
        return undefined;
    };
    const api = {};
    const [, table] = collect(() => _tarvik_describe());
    let method = 0;
    for (let i = 0; i < table.length; i += 2) {
        const [name, what] = [table[i], table[i + 1]];
        const [owner, member] = name.includes('.') ? name.split('.') : ['', name];
        const home = owner ? (api[owner] ??= {}) : api;
        if (typeof what === 'number') {
            home[member] = what;
            continue;
        }
        const index = method++;
        if (what[0] === 'c')
            home[member] = function (...args) { call(index, what, args); };
        else if (owner)
            home.prototype[member] = function (...args) { return call(index, what, args); };
        else
            home[member] = (...args) => call(index, what, args);
    }
    return api;
};
