// The page's side of the calls between the core and the page (web/bridge.h):
// the core hands texts, numbers and bytes over one at a time, and calls the
// page's objects by method name with the arguments it handed last.
// Module.bridge holds the answer being collected, the pending arguments and
// the page's objects (web/core_api.js).
mergeInto(LibraryManager.library, {
    // UTF-16 code units as they are, lone surrogates included (the text
    // decoder would replace them), in slices that the argument list holds.
    $tarvikText: function (address, length) {
        const units = HEAPU16.subarray(address >> 1, (address >> 1) + length);
        let text = '';
        for (let at = 0; at < length; at += 8192)
            text += String.fromCharCode.apply(null, units.subarray(at, at + 8192));
        return text;
    },
    tarvik_give_text__deps: ['$tarvikText'],
    tarvik_give_text: function (address, length) {
        Module['bridge'].answer.push(tarvikText(address, length));
    },
    tarvik_give_number: function (number) {
        Module['bridge'].answer.push(number);
    },
    tarvik_give_bytes: function (address, length) {
        Module['bridge'].answer.push(HEAPU8.slice(address, address + length));
    },
    tarvik_arg_text__deps: ['$tarvikText'],
    tarvik_arg_text: function (address, length) {
        Module['bridge'].args.push(tarvikText(address, length));
    },
    tarvik_arg_utf8: function (address, length) {
        Module['bridge'].args.push(new TextDecoder().decode(HEAPU8.subarray(address, address + length)));
    },
    tarvik_arg_number: function (number) {
        Module['bridge'].args.push(number);
    },
    // `answer`: 0 a number (null and undefined as -1), 1 a text, 2 a text
    // as UTF-8 bytes; a text or bytes are written where the core asks and
    // their length returned, -1 for null.
    tarvik_call_page: function (partner, method, count, answer) {
        const bridge = Module['bridge'];
        let name = '';
        for (let at = method; HEAPU8[at]; ++at)
            name += String.fromCharCode(HEAPU8[at]);
        const args = bridge.args.splice(bridge.args.length - count, count);
        const result = bridge.partners[partner][name](...args);
        if (result === null || result === undefined)
            return -1;
        if (answer === 0)
            return Number(result);
        const text = String(result);
        if (answer === 1) {
            const to = _tarvik_receive_text(text.length) >> 1;
            for (let i = 0; i < text.length; ++i)
                HEAPU16[to + i] = text.charCodeAt(i);
            return text.length;
        }
        const room = text.length * 3;
        const to = _tarvik_receive_bytes(room);
        return new TextEncoder().encodeInto(text, HEAPU8.subarray(to, to + room)).written;
    },
});
