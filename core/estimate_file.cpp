#include "estimate_file.h"

#include "double_text.h"
#include "errors.h"
#include "json.h"
#include "number_text.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace tarvik {
namespace {

constexpr char16_t fileSeparator = u'.';
constexpr std::u16string_view formatName = u"tarvik-estimate";
// The format itself nests three deep; a later version may nest a little
// deeper and must still be recognised as later, not as damaged.
constexpr int maxJsonDepth = 16;
constexpr std::uint32_t maxVatRate = 10000;

struct Fault {
    EstimateFileFault fault;
};

[[noreturn]] void refuse(EstimateFileFault fault)
{
    throw Fault{fault};
}

// ---- writing

void appendCount(std::string& out, std::uint64_t n)
{
    char digits[20];
    int length = 0;
    do {
        digits[length++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    out += '"';
    while (length > 0)
        out += digits[--length];
    out += '"';
}

void appendKey(std::string& out, std::string_view key)
{
    out += '"';
    out += key;
    out += "\": ";
}

void appendText(std::string& out, std::string_view key, std::u16string_view text)
{
    appendKey(out, key);
    json::appendString(out, text);
}

void appendCountField(std::string& out, std::string_view key, std::uint64_t n)
{
    appendKey(out, key);
    appendCount(out, n);
}

bool isPositiveNormal(double value)
{
    const std::uint64_t bits = doubleBits(value);
    const std::uint64_t exponent = (bits >> 52) & 0x7FF;
    return (bits >> 63) == 0 && exponent != 0 && exponent != 0x7FF;
}

// ---- reading numbers

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A count as written: decimal digits, no leading zero, within 64 bits.
std::optional<std::uint64_t> countOf(std::u16string_view text)
{
    if (text.empty() || text.size() > 20 || (text.size() > 1 && text[0] == u'0'))
        return std::nullopt;
    std::uint64_t n = 0;
    for (char16_t c : text) {
        if (!isDigit(c))
            return std::nullopt;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - u'0');
        if (n > (UINT64_MAX - digit) / 10)
            return std::nullopt;
        n = n * 10 + digit;
    }
    return n;
}

std::uint64_t count(std::u16string_view text)
{
    const std::optional<std::uint64_t> n = countOf(text);
    if (!n)
        refuse(EstimateFileFault::BadValue);
    return *n;
}

bool flag(std::u16string_view text)
{
    if (text != u"0" && text != u"1")
        refuse(EstimateFileFault::BadValue);
    return text == u"1";
}

// A number as the estimate writes it: digits, at most one ".", an optional
// exponent; no sign, no spaces.
bool isPlainNumber(std::u16string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    std::size_t digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (isDigit(text[i]))
            ++digits;
        else if (text[i] == fileSeparator && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const std::size_t start = i;
        while (i < n && isDigit(text[i]))
            ++i;
        if (i == start)
            return false;
    }
    return i == n;
}

// Reads as the calculator reads a number; a value beyond its range does not.
bool calculatorReads(std::u16string_view text)
{
    try {
        strToFloat(text, fileSeparator);
        return true;
    } catch (const CalcError&) {
        return false;
    }
}

// A quantity or mass as shown: a plain number the calculator reads.
void checkShown(std::u16string_view text)
{
    if (text.size() > maxEstimateNumberText || !isPlainNumber(text) || !calculatorReads(text))
        refuse(EstimateFileFault::BadValue);
}

// The quantity as typed: what the calculator's number field took.
void checkRequested(std::u16string_view text)
{
    if (text.size() > maxEstimateNumberText || !calculatorReads(text))
        refuse(EstimateFileFault::BadValue);
}

// A piece size or a price: an amount with at most `decimals` decimals.
void checkAmount(std::u16string_view text, int decimals, bool zeroAllowed)
{
    if (text.size() > maxEstimateNumberText || !isPlainNumber(text))
        refuse(EstimateFileFault::BadValue);
    const AmountText amount = readAmount(text, fileSeparator, decimals);
    if (amount.error != AmountError::None || (!zeroAllowed && amount.units.isZero()))
        refuse(EstimateFileFault::BadValue);
}

void checkText(std::u16string_view text)
{
    if (text.size() > maxEstimateTextUnits)
        refuse(EstimateFileFault::TooLarge);
}

// ---- reading the document

// The top level's fields and where each value starts; the document has been
// checked to be JSON throughout.
struct Field {
    std::u16string key;
    std::size_t offset = 0;
};

struct Header {
    std::vector<Field> fields;
    const Field* find(std::u16string_view key) const
    {
        for (const Field& f : fields) {
            if (f.key == key)
                return &f;
        }
        return nullptr;
    }
};

// A string value where the format has one; anything else is not the format.
std::u16string stringAt(json::Cursor& c)
{
    if (c.peek() != '"')
        refuse(EstimateFileFault::WrongFormat);
    return c.string();
}

std::u16string stringField(json::Cursor& c, const Header& h, std::u16string_view key)
{
    const Field* f = h.find(key);
    if (!f)
        refuse(EstimateFileFault::WrongFormat);
    c.seek(f->offset);
    return stringAt(c);
}

// Walks the whole document, then checks it is an estimate of a version this
// program reads. A later version is recognised whatever else it holds.
Header readHeader(json::Cursor& c, std::size_t size)
{
    if (size > maxEstimateFileBytes)
        refuse(EstimateFileFault::TooLarge);
    Header h;
    if (c.peek() != '{') {
        c.skipValue();
        c.finish();
        refuse(EstimateFileFault::WrongFormat);
    }
    c.expect('{');
    if (!c.take('}')) {
        do {
            std::u16string key = c.string();
            c.expect(':');
            c.peek();
            h.fields.push_back({std::move(key), c.offset()});
            c.skipValue();
        } while (c.take(','));
        c.expect('}');
    }
    c.finish();

    std::vector<std::u16string_view> keys;
    for (const Field& f : h.fields)
        keys.push_back(f.key);
    std::sort(keys.begin(), keys.end());
    if (std::adjacent_find(keys.begin(), keys.end()) != keys.end())
        refuse(EstimateFileFault::WrongFormat);
    if (stringField(c, h, u"format") != formatName)
        refuse(EstimateFileFault::WrongFormat);
    const std::optional<std::uint64_t> version = countOf(stringField(c, h, u"version"));
    if (!version || *version == 0)
        refuse(EstimateFileFault::BadValue);
    if (*version > static_cast<std::uint64_t>(estimateFileVersion))
        refuse(EstimateFileFault::NewerVersion);
    return h;
}

// The fields of a line, in the order they are written.
enum LineField : std::size_t {
    Id,
    Family,
    Kind,
    Size,
    UnitMass,
    UnitMassBits,
    Area,
    Requested,
    PieceSize,
    Pieces,
    Quantity,
    Mass,
    Price,
    Edited,
    lineFieldCount
};

constexpr std::array<std::string_view, lineFieldCount> lineKeys{
    "id",        "family",    "kind",   "size",     "unitMass", "unitMassBits", "area",
    "requested", "pieceSize", "pieces", "quantity", "mass",     "price",        "edited",
};

bool sameKey(std::u16string_view a, std::string_view ascii)
{
    return a.size() == ascii.size() && std::equal(a.begin(), a.end(), ascii.begin());
}

std::size_t lineFieldOf(std::u16string_view key, std::size_t expected)
{
    if (expected < lineFieldCount && sameKey(key, lineKeys[expected]))
        return expected;
    for (std::size_t i = 0; i < lineFieldCount; ++i) {
        if (sameKey(key, lineKeys[i]))
            return i;
    }
    refuse(EstimateFileFault::WrongFormat);
}

// Of the texts that name the same unit mass, each is read once.
using UnitMassTexts = std::unordered_map<std::u16string, std::uint64_t>;

EstimateLine readLine(json::Cursor& c, UnitMassTexts& unitMasses)
{
    if (c.peek() != '{')
        refuse(EstimateFileFault::WrongFormat);
    c.expect('{');
    std::array<std::u16string, lineFieldCount> texts;
    std::array<bool, lineFieldCount> seen{};
    std::size_t next = 0;
    if (!c.take('}')) {
        do {
            const std::size_t field = lineFieldOf(c.string(), next);
            if (seen[field])
                refuse(EstimateFileFault::WrongFormat);
            seen[field] = true;
            c.expect(':');
            texts[field] = stringAt(c);
            next = field + 1;
        } while (c.take(','));
        c.expect('}');
    }
    for (std::size_t i = 0; i < lineFieldCount; ++i) {
        // The decimal unit mass is for people reading the file; the bits decide.
        if (!seen[i] && i != UnitMass)
            refuse(EstimateFileFault::WrongFormat);
    }

    EstimateLine l;
    l.id = count(texts[Id]);
    for (std::size_t i : {Family, Kind, Size})
        checkText(texts[i]);
    l.family = std::move(texts[Family]);
    l.kind = std::move(texts[Kind]);
    l.size = std::move(texts[Size]);
    l.unitMass = doubleFromBits(count(texts[UnitMassBits]));
    if (!isPositiveNormal(l.unitMass))
        refuse(EstimateFileFault::BadValue);
    if (seen[UnitMass]) {
        auto [it, fresh] = unitMasses.try_emplace(texts[UnitMass], 0);
        if (fresh) {
            const std::optional<double> read = texts[UnitMass].size() <= maxEstimateNumberText
                                                   ? readDouble(texts[UnitMass], fileSeparator)
                                                   : std::nullopt;
            if (!read)
                refuse(EstimateFileFault::BadValue);
            it->second = doubleBits(*read);
        }
        if (it->second != doubleBits(l.unitMass))
            refuse(EstimateFileFault::BadValue);
    }
    l.quantityKind = flag(texts[Area]) ? QuantityKind::Area : QuantityKind::Length;
    checkRequested(texts[Requested]);
    l.requested = std::move(texts[Requested]);
    if (!texts[PieceSize].empty()) {
        checkAmount(texts[PieceSize], 3, false);
        const std::optional<std::uint64_t> pieces = countOf(texts[Pieces]);
        if (!pieces || *pieces == 0 || *pieces > maxPieces)
            refuse(EstimateFileFault::BadValue);
    } else if (!texts[Pieces].empty()) {
        refuse(EstimateFileFault::BadValue);
    }
    l.pieceSize = std::move(texts[PieceSize]);
    l.pieces = std::move(texts[Pieces]);
    checkShown(texts[Quantity]);
    checkShown(texts[Mass]);
    l.quantity = std::move(texts[Quantity]);
    l.mass = std::move(texts[Mass]);
    if (!texts[Price].empty())
        checkAmount(texts[Price], 2, true);
    l.price = std::move(texts[Price]);
    l.edited = count(texts[Edited]);
    return l;
}

constexpr std::array<std::u16string_view, 8> topKeys{
    u"format", u"version", u"name", u"vatRate", u"pricesIncludeVat", u"settingsEdited", u"lines", u"deleted",
};

Estimate readBody(json::Cursor& c, const Header& h, char16_t separator, Estimate::Source ids,
                  Estimate::Source clock)
{
    if (h.fields.size() != topKeys.size())
        refuse(EstimateFileFault::WrongFormat);
    for (std::u16string_view key : topKeys) {
        if (!h.find(key))
            refuse(EstimateFileFault::WrongFormat);
    }
    Estimate e(separator, std::move(ids), std::move(clock));
    std::u16string name = stringField(c, h, u"name");
    checkText(name);
    const std::uint64_t rate = count(stringField(c, h, u"vatRate"));
    if (rate > maxVatRate)
        refuse(EstimateFileFault::BadValue);
    const bool included = flag(stringField(c, h, u"pricesIncludeVat"));
    e.restoreSettings(std::move(name), static_cast<std::uint32_t>(rate), included,
                      count(stringField(c, h, u"settingsEdited")));

    // Counted before any is read: a file of too many lines costs no more
    // than a glance.
    const std::size_t linesAt = h.find(u"lines")->offset;
    c.seek(linesAt);
    if (c.peek() != '[')
        refuse(EstimateFileFault::WrongFormat);
    c.expect('[');
    if (!c.take(']')) {
        std::size_t lines = 0;
        do {
            if (++lines > maxEstimateLines)
                refuse(EstimateFileFault::TooLarge);
            c.skipValue();
        } while (c.take(','));
    }
    c.seek(linesAt);
    c.expect('[');
    UnitMassTexts unitMasses;
    if (!c.take(']')) {
        do {
            EstimateLine line = readLine(c, unitMasses);
            // Two lines of one id would be one line after a merge: not ours.
            if (e.rowOf(line.id))
                refuse(EstimateFileFault::BadValue);
            changeSeparator(line, fileSeparator, separator);
            e.restore(std::move(line));
        } while (c.take(','));
        c.expect(']');
    }

    c.seek(h.find(u"deleted")->offset);
    if (c.peek() != '{')
        refuse(EstimateFileFault::WrongFormat);
    c.expect('{');
    if (!c.take('}')) {
        do {
            const std::uint64_t id = count(c.string());
            c.expect(':');
            const std::uint64_t when = count(stringAt(c));
            if (e.deleted().contains(id))
                refuse(EstimateFileFault::WrongFormat);
            // A line is deleted or kept, never both.
            if (e.rowOf(id))
                refuse(EstimateFileFault::BadValue);
            e.restoreDeleted(id, when);
        } while (c.take(','));
        c.expect('}');
    }
    return e;
}

EstimateFileFault faultOf(json::Error error)
{
    switch (error) {
    case json::Error::NotJson:
        return EstimateFileFault::NotJson;
    case json::Error::Truncated:
        return EstimateFileFault::Truncated;
    case json::Error::InvalidUtf8:
        return EstimateFileFault::InvalidUtf8;
    case json::Error::TooDeep:
        return EstimateFileFault::TooDeep;
    }
    return EstimateFileFault::NotJson;
}

EstimateFileRead failed(EstimateFileFault fault)
{
    const EstimateFileError error = fault == EstimateFileFault::NewerVersion ? EstimateFileError::NewerVersion
                                                                             : EstimateFileError::Unreadable;
    return {error, std::nullopt, fault};
}

} // namespace

std::string estimateFileBytes(const Estimate& e)
{
    std::string out;
    out.reserve(256 + e.size() * 320 + e.deleted().size() * 48);
    out += "{\n";
    appendText(out, "format", formatName);
    out += ",\n";
    appendCountField(out, "version", estimateFileVersion);
    out += ",\n";
    appendText(out, "name", e.name());
    out += ",\n";
    appendCountField(out, "vatRate", e.vatRate());
    out += ",\n";
    appendCountField(out, "pricesIncludeVat", e.pricesIncludeVat() ? 1 : 0);
    out += ",\n";
    appendCountField(out, "settingsEdited", e.settingsEdited());
    out += ",\n";
    appendKey(out, "lines");
    out += '[';
    std::unordered_map<std::uint64_t, std::u16string> unitMassTexts;
    for (std::size_t i = 0; i < e.size(); ++i) {
        EstimateLine l = e.line(i);
        changeSeparator(l, e.separator(), fileSeparator);
        out += i == 0 ? "\n" : ",\n";
        out += '{';
        appendCountField(out, "id", l.id);
        out += ", ";
        appendText(out, "family", l.family);
        out += ", ";
        appendText(out, "kind", l.kind);
        out += ", ";
        appendText(out, "size", l.size);
        out += ", ";
        const std::uint64_t bits = doubleBits(l.unitMass);
        // For people reading the file, where the text is short, as every
        // catalogue mass is; the bits are what is read.
        if (isPositiveNormal(l.unitMass)) {
            auto [it, fresh] = unitMassTexts.try_emplace(bits);
            if (fresh)
                it->second = doubleText(l.unitMass, fileSeparator);
            if (it->second.size() <= maxEstimateNumberText) {
                appendText(out, "unitMass", it->second);
                out += ", ";
            }
        }
        appendCountField(out, "unitMassBits", bits);
        out += ", ";
        appendCountField(out, "area", l.quantityKind == QuantityKind::Area ? 1 : 0);
        out += ", ";
        appendText(out, "requested", l.requested);
        out += ", ";
        appendText(out, "pieceSize", l.pieceSize);
        out += ", ";
        appendText(out, "pieces", l.pieces);
        out += ", ";
        appendText(out, "quantity", l.quantity);
        out += ", ";
        appendText(out, "mass", l.mass);
        out += ", ";
        appendText(out, "price", l.price);
        out += ", ";
        appendCountField(out, "edited", l.edited);
        out += '}';
    }
    out += e.size() == 0 ? "],\n" : "\n],\n";
    appendKey(out, "deleted");
    out += '{';
    bool first = true;
    for (const auto& [id, when] : e.deleted()) {
        out += first ? "\n" : ",\n";
        first = false;
        appendCount(out, id);
        out += ": ";
        appendCount(out, when);
    }
    out += first ? "}\n}\n" : "\n}\n}\n";
    return out;
}

EstimateFileRead readEstimateFile(std::string_view bytes, char16_t separator, Estimate::Source ids,
                                  Estimate::Source clock)
{
    try {
        if (bytes.size() > maxEstimateFileBytes)
            return failed(EstimateFileFault::TooLarge);
        json::Cursor c(bytes, maxJsonDepth);
        const Header h = readHeader(c, bytes.size());
        return {EstimateFileError::None, readBody(c, h, separator, std::move(ids), std::move(clock)),
                EstimateFileFault::None};
    } catch (const json::Failure& f) {
        return failed(faultOf(f.error));
    } catch (const Fault& f) {
        return failed(f.fault);
    }
}

std::optional<std::u16string> estimateFileName(std::string_view bytes)
{
    try {
        if (bytes.size() > maxEstimateFileBytes)
            return std::nullopt;
        json::Cursor c(bytes, maxJsonDepth);
        const Header h = readHeader(c, bytes.size());
        std::u16string name = stringField(c, h, u"name");
        checkText(name);
        return name;
    } catch (const json::Failure&) {
        return std::nullopt;
    } catch (const Fault&) {
        return std::nullopt;
    }
}

} // namespace tarvik
