#include "estimate/estimate_file.h"

#include "estimate/json.h"
#include "number/double_text.h"
#include "number/errors.h"
#include "number/number_text.h"

#include <algorithm>
#include <array>
#include <map>
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

// ---- the format's keys, in the order they are written: the writer and
// the reader name a field by these tables alone.

enum TopField : std::size_t {
    Format,
    Version,
    Name,
    VatRate,
    PricesIncludeVat,
    SettingsEdited,
    Lines,
    Deleted,
    topFieldCount
};

constexpr std::array<std::string_view, topFieldCount> topKeys{
    "format", "version", "name", "vatRate", "pricesIncludeVat", "settingsEdited", "lines", "deleted",
};

enum LineField : std::size_t {
    Id,
    Family,
    Kind,
    Size,
    Metal,
    Grade,
    Density,
    OwnDensity,
    OwnSection,
    UnitMass,
    UnitMassBits,
    Area,
    Requested,
    PieceSize,
    Pieces,
    Quantity,
    Mass,
    Price,
    PriceUnitField,
    Edited,
    lineFieldCount
};

constexpr std::array<std::string_view, lineFieldCount> lineKeys{
    "id",         "family",     "kind",     "size",         "metal",     "grade",     "density",
    "ownDensity", "ownSection", "unitMass", "unitMassBits", "area",      "requested", "pieceSize",
    "pieces",     "quantity",   "mass",     "price",        "priceUnit", "edited",
};

// The material's fields, Metal to OwnSection, came with version 2; a line
// of version 1 is steel at the catalogue's density, naming neither metal
// nor grade.
constexpr int materialVersion = 2;
constexpr std::size_t materialFieldCount = OwnSection - Metal + 1;

bool isMaterialField(std::size_t field)
{
    return field >= Metal && field <= OwnSection;
}

// What a price is per came with version 3; a line of an older version is
// priced per tonne.
constexpr int priceUnitVersion = 3;
constexpr std::array<std::string_view, 3> priceUnitKeys{"tonne", "quantity", "piece"};

// Any density a metal has, with room to spare; the unit mass scales by it.
constexpr std::uint64_t maxDensity = 100'000;

// A key as read against one of the tables.
bool sameKey(std::u16string_view a, std::string_view ascii)
{
    return a.size() == ascii.size() && std::equal(a.begin(), a.end(), ascii.begin());
}

// ---- writing

// The file's parts, appended (see json::Appender): keys from the tables
// above, texts as JSON strings, counts as strings of digits.
class FileWriter {
public:
    FileWriter(std::string& bytes, char16_t separator) : out_(bytes), separator_(separator) {}

    void raw(std::string_view text) { out_.put(text); }

    // Fixed text: its length is known where it is written.
    template <std::size_t N> void raw(const char (&text)[N]) { out_.put(std::string_view(text, N - 1)); }

    // `"key": `.
    void key(std::string_view key)
    {
        out_.put('"');
        out_.put(key);
        raw("\": ");
    }

    void text(std::u16string_view text) { json::writeString(out_, text); }

    // A number in the estimate's texts, written with the file's separator.
    void number(std::u16string_view text) { json::writeString(out_, text, separator_, fileSeparator); }

    // Quoted. In 32-bit parts of eight digits: WebAssembly has no 64-bit
    // multiply-high, so a 64-bit division by ten stays a division there.
    void count(std::uint64_t n)
    {
        constexpr std::uint32_t eightDigits = 100'000'000;
        const std::uint64_t high = n / eightDigits;
        const auto low = static_cast<std::uint32_t>(n - high * eightDigits);
        out_.put('"');
        if (high == 0) {
            digits(low, false);
        } else {
            const std::uint64_t top = high / eightDigits;
            const auto middle = static_cast<std::uint32_t>(high - top * eightDigits);
            if (top == 0) {
                digits(middle, false);
            } else {
                digits(static_cast<std::uint32_t>(top), false);
                digits(middle, true);
            }
            digits(low, true);
        }
        out_.put('"');
    }

    void flush() { out_.flush(); }

private:
    // `n` below 10^8, in full eight digits or without leading zeros;
    // found from the last, by divisions by a constant.
    void digits(std::uint32_t n, bool eight)
    {
        char found[8];
        std::size_t first = sizeof found;
        do {
            found[--first] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while ((n != 0 || eight) && first != 0);
        out_.put(std::string_view(found + first, sizeof found - first));
    }

    json::Appender out_;
    char16_t separator_;
};

bool isPositiveNormal(double value)
{
    const std::uint64_t bits = doubleBits(value);
    const std::uint64_t exponent = (bits >> 52) & 0x7FF;
    return (bits >> 63) == 0 && exponent != 0 && exponent != 0x7FF;
}

// A unit mass's fields: the decimal text for people reading the file, where
// it is short, as every catalogue mass is, and the bits, which are read.
std::string unitMassFields(double unitMass)
{
    std::u16string text;
    if (isPositiveNormal(unitMass)) {
        text = doubleText(unitMass, fileSeparator);
        if (text.size() > maxEstimateNumberText)
            text.clear();
    }
    std::string bytes;
    FileWriter out(bytes, fileSeparator);
    if (!text.empty()) {
        out.key(lineKeys[UnitMass]);
        out.text(text);
        out.raw(", ");
    }
    out.key(lineKeys[UnitMassBits]);
    out.count(doubleBits(unitMass));
    out.flush();
    return bytes;
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
    std::size_t values = 0; // of an array or object
};

struct Header {
    std::vector<Field> fields;
    int version = 0;
    const Field* find(TopField field) const
    {
        for (const Field& f : fields) {
            if (sameKey(f.key, topKeys[field]))
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

void stringAt(json::Cursor& c, std::u16string& out)
{
    if (c.peek() != '"')
        refuse(EstimateFileFault::WrongFormat);
    c.string(out);
}

std::u16string stringField(json::Cursor& c, const Header& h, TopField key)
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
            const std::size_t offset = c.offset();
            h.fields.push_back({std::move(key), offset, c.skipValue()});
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
    if (stringField(c, h, Format) != formatName)
        refuse(EstimateFileFault::WrongFormat);
    const std::optional<std::uint64_t> version = countOf(stringField(c, h, Version));
    if (!version || *version == 0)
        refuse(EstimateFileFault::BadValue);
    if (*version > static_cast<std::uint64_t>(estimateFileVersion))
        refuse(EstimateFileFault::NewerVersion);
    h.version = static_cast<int>(*version);
    return h;
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

// Of the texts that name the same unit mass, each is read once. Ordered
// maps here as elsewhere in the estimate: a hash table's code weighs on
// the page, and an estimate holds a few hundred unit masses at most.
using UnitMassTexts = std::map<std::u16string, std::uint64_t, std::less<>>;

// `key`: room for the fields' keys, kept from one line to the next.
// `version`: the file's, or 0 while it is not known (a damaged file's lines
// read before its version), which takes a line of either.
EstimateLine readLine(json::Cursor& c, int version, UnitMassTexts& unitMasses, std::u16string& key)
{
    if (c.peek() != '{')
        refuse(EstimateFileFault::WrongFormat);
    c.expect('{');
    std::array<std::u16string, lineFieldCount> texts;
    std::array<bool, lineFieldCount> seen{};
    std::size_t next = 0;
    if (!c.take('}')) {
        do {
            c.string(key);
            const std::size_t field = lineFieldOf(key, next);
            if (seen[field])
                refuse(EstimateFileFault::WrongFormat);
            seen[field] = true;
            c.expect(':');
            stringAt(c, texts[field]);
            next = field + 1;
        } while (c.take(','));
        c.expect('}');
    }
    std::size_t materialSeen = 0;
    for (std::size_t i = 0; i < lineFieldCount; ++i) {
        if (isMaterialField(i))
            materialSeen += seen[i] ? 1 : 0;
        // The decimal unit mass is for people reading the file; the bits decide.
        else if (!seen[i] && i != UnitMass && i != PriceUnitField)
            refuse(EstimateFileFault::WrongFormat);
    }
    if (version != 0 && seen[PriceUnitField] != (version >= priceUnitVersion))
        refuse(EstimateFileFault::WrongFormat);
    const bool material = materialSeen != 0;
    if ((material && materialSeen != materialFieldCount) ||
        (version != 0 && material != (version >= materialVersion)))
        refuse(EstimateFileFault::WrongFormat);

    EstimateLine l;
    l.id = count(texts[Id]);
    for (std::size_t i : {Family, Kind, Size})
        checkText(texts[i]);
    l.family = std::move(texts[Family]);
    l.kind = std::move(texts[Kind]);
    l.size = std::move(texts[Size]);
    if (material) {
        for (std::size_t i : {Metal, Grade})
            checkText(texts[i]);
        const std::uint64_t density = count(texts[Density]);
        if (density == 0 || density > maxDensity)
            refuse(EstimateFileFault::BadValue);
        l.density = static_cast<std::uint32_t>(density);
        l.ownDensity = flag(texts[OwnDensity]);
        // A density of one's own names no metal and no grade.
        if (l.ownDensity && !(texts[Metal].empty() && texts[Grade].empty()))
            refuse(EstimateFileFault::BadValue);
        l.metal = std::move(texts[Metal]);
        l.grade = std::move(texts[Grade]);
        l.ownSection = flag(texts[OwnSection]);
    }
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
    if (seen[PriceUnitField]) {
        const auto unit = std::find_if(priceUnitKeys.begin(), priceUnitKeys.end(),
                                       [&](std::string_view k) { return sameKey(texts[PriceUnitField], k); });
        if (unit == priceUnitKeys.end())
            refuse(EstimateFileFault::BadValue);
        l.priceUnit = static_cast<PriceUnit>(unit - priceUnitKeys.begin());
        // A price per piece counts pieces.
        if (l.priceUnit == PriceUnit::Piece && l.pieceSize.empty())
            refuse(EstimateFileFault::BadValue);
    }
    l.edited = count(texts[Edited]);
    return l;
}

Estimate readBody(json::Cursor& c, const Header& h, char16_t separator, Estimate::Source ids,
                  Estimate::Source clock)
{
    if (h.fields.size() != topKeys.size())
        refuse(EstimateFileFault::WrongFormat);
    for (std::size_t field = 0; field < topFieldCount; ++field) {
        if (!h.find(static_cast<TopField>(field)))
            refuse(EstimateFileFault::WrongFormat);
    }
    Estimate e(separator, std::move(ids), std::move(clock));
    std::u16string name = stringField(c, h, Name);
    checkText(name);
    const std::uint64_t rate = count(stringField(c, h, VatRate));
    if (rate > maxVatRate)
        refuse(EstimateFileFault::BadValue);
    const bool included = flag(stringField(c, h, PricesIncludeVat));
    e.restoreSettings(std::move(name), static_cast<std::uint32_t>(rate), included,
                      count(stringField(c, h, SettingsEdited)));

    // Counted before any is read, as the document was walked: a file of
    // too many lines costs no more than a glance.
    const Field& lines = *h.find(Lines);
    c.seek(lines.offset);
    if (c.peek() != '[')
        refuse(EstimateFileFault::WrongFormat);
    if (lines.values > maxEstimateLines)
        refuse(EstimateFileFault::TooLarge);
    c.expect('[');
    UnitMassTexts unitMasses;
    std::u16string key;
    if (!c.take(']')) {
        do {
            EstimateLine line = readLine(c, h.version, unitMasses, key);
            // Two lines of one id would be one line after a merge: not ours.
            if (e.rowOf(line.id))
                refuse(EstimateFileFault::BadValue);
            changeSeparator(line, fileSeparator, separator);
            e.restore(std::move(line));
        } while (c.take(','));
        c.expect(']');
    }

    c.seek(h.find(Deleted)->offset);
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
    return {error, std::nullopt, fault, {}, 0, std::nullopt};
}

// What of an unreadable file still reads: each line read whole, up to the
// first fault of the JSON itself or of its UTF-8, past any line whose
// values are not the format's. A file that says it is another program's
// or a later version's gives nothing.
void salvage(std::string_view bytes, char16_t separator, EstimateFileRead& read)
{
    std::vector<EstimateLine> lines;
    // Ids seen: the first line of an id is kept. The map type the estimate
    // uses already: one instantiation less in the page's code.
    std::map<std::uint64_t, std::uint64_t> ids;
    std::size_t held = 0;
    std::optional<std::u16string> heldName;
    int version = 0;
    try {
        json::Cursor c(json::utf8Prefix(bytes), maxJsonDepth);
        UnitMassTexts unitMasses;
        std::u16string key;
        c.expect('{');
        if (!c.take('}')) {
            do {
                const std::u16string name = c.string();
                c.expect(':');
                const char next = c.peek();
                if (sameKey(name, topKeys[Lines]) && next == '[') {
                    c.expect('[');
                    if (c.take(']'))
                        continue;
                    do {
                        ++held;
                        c.peek();
                        const std::size_t start = c.offset();
                        try {
                            EstimateLine line = readLine(c, version, unitMasses, key);
                            if (lines.size() < maxEstimateLines && ids.try_emplace(line.id, 0).second)
                                lines.push_back(std::move(line));
                        } catch (const Fault&) {
                            c.seek(start);
                            c.skipValue();
                        }
                    } while (c.take(','));
                    c.expect(']');
                } else if (sameKey(name, topKeys[Name]) && next == '"') {
                    std::u16string value = c.string();
                    try {
                        checkText(value);
                        heldName = std::move(value);
                    } catch (const Fault&) {
                    }
                } else if ((sameKey(name, topKeys[Format]) || sameKey(name, topKeys[Version])) &&
                           next == '"') {
                    const std::u16string value = c.string();
                    const std::uint64_t number = countOf(value).value_or(0);
                    if (sameKey(name, topKeys[Format]) ? value != formatName
                                                       : number > std::uint64_t{estimateFileVersion})
                        return;
                    if (sameKey(name, topKeys[Version]))
                        version = static_cast<int>(number);
                } else {
                    c.skipValue();
                }
            } while (c.take(','));
        }
    } catch (const json::Failure&) {
    }
    for (EstimateLine& line : lines)
        changeSeparator(line, fileSeparator, separator);
    read.wholeLines = std::move(lines);
    read.linesHeld = held;
    read.nameHeld = std::move(heldName);
}

} // namespace

std::string estimateFileBytes(const Estimate& e)
{
    std::string bytes;
    bytes.reserve(256 + e.size() * 320 + e.deleted().size() * 48);
    FileWriter out(bytes, e.separator());
    const auto field = [&out](TopField key) {
        if (key != Format)
            out.raw(",");
        out.raw("\n");
        out.key(topKeys[key]);
    };
    out.raw("{");
    field(Format);
    out.text(formatName);
    field(Version);
    out.count(estimateFileVersion);
    field(Name);
    out.text(e.name());
    field(VatRate);
    out.count(e.vatRate());
    field(PricesIncludeVat);
    out.count(e.pricesIncludeVat() ? 1 : 0);
    field(SettingsEdited);
    out.count(e.settingsEdited());
    field(Lines);
    out.raw("[");
    // An estimate's unit masses are a few catalogue values, each written
    // once and copied for the lines of that size.
    std::map<std::uint64_t, std::string> unitMasses;
    const auto lineField = [&out](LineField key) {
        out.raw(", ");
        out.key(lineKeys[key]);
    };
    for (std::size_t i = 0; i < e.size(); ++i) {
        const EstimateLine& l = e.line(i);
        auto [unitMass, fresh] = unitMasses.try_emplace(doubleBits(l.unitMass));
        if (fresh)
            unitMass->second = unitMassFields(l.unitMass);
        if (i != 0)
            out.raw(",");
        out.raw("\n{");
        out.key(lineKeys[Id]);
        out.count(l.id);
        lineField(Family);
        out.text(l.family);
        lineField(Kind);
        out.text(l.kind);
        lineField(Size);
        out.text(l.size);
        lineField(Metal);
        out.text(l.metal);
        lineField(Grade);
        out.text(l.grade);
        lineField(Density);
        out.count(l.density);
        lineField(OwnDensity);
        out.count(l.ownDensity ? 1 : 0);
        lineField(OwnSection);
        out.count(l.ownSection ? 1 : 0);
        out.raw(", ");
        out.raw(unitMass->second);
        lineField(Area);
        out.count(l.quantityKind == QuantityKind::Area ? 1 : 0);
        lineField(Requested);
        out.number(l.requested);
        lineField(PieceSize);
        out.number(l.pieceSize);
        lineField(Pieces);
        out.number(l.pieces);
        lineField(Quantity);
        out.number(l.quantity);
        lineField(Mass);
        out.number(l.mass);
        lineField(Price);
        out.number(l.price);
        lineField(PriceUnitField);
        out.raw("\"");
        out.raw(priceUnitKeys[static_cast<std::size_t>(l.priceUnit)]);
        out.raw("\"");
        lineField(Edited);
        out.count(l.edited);
        out.raw("}");
    }
    if (e.size() != 0)
        out.raw("\n");
    out.raw("]");
    field(Deleted);
    out.raw("{");
    bool first = true;
    for (const auto& [id, when] : e.deleted()) {
        if (!first)
            out.raw(",");
        out.raw("\n");
        first = false;
        out.count(id);
        out.raw(": ");
        out.count(when);
    }
    if (!first)
        out.raw("\n");
    out.raw("}\n}\n");
    out.flush();
    return bytes;
}

EstimateFileRead readEstimateFile(std::string_view bytes, char16_t separator, Estimate::Source ids,
                                  Estimate::Source clock)
{
    if (bytes.size() > maxEstimateFileBytes)
        return failed(EstimateFileFault::TooLarge);
    EstimateFileFault fault = EstimateFileFault::None;
    try {
        json::Cursor c(bytes, maxJsonDepth);
        const Header h = readHeader(c, bytes.size());
        Estimate e = readBody(c, h, separator, std::move(ids), std::move(clock));
        const std::size_t held = e.size();
        return {EstimateFileError::None, std::move(e), EstimateFileFault::None, {}, held, std::nullopt};
    } catch (const json::Failure& f) {
        fault = faultOf(f.error);
    } catch (const Fault& f) {
        fault = f.fault;
    }
    EstimateFileRead read = failed(fault);
    if (fault != EstimateFileFault::NewerVersion)
        salvage(bytes, separator, read);
    return read;
}

bool namesEstimateFormat(std::string_view bytes)
{
    return bytes.find(R"("tarvik-estimate")") != std::string_view::npos;
}

std::optional<std::u16string> estimateFileName(std::string_view bytes)
{
    try {
        if (bytes.size() > maxEstimateFileBytes)
            return std::nullopt;
        json::Cursor c(bytes, maxJsonDepth);
        const Header h = readHeader(c, bytes.size());
        std::u16string name = stringField(c, h, Name);
        checkText(name);
        return name;
    } catch (const json::Failure&) {
        return std::nullopt;
    } catch (const Fault&) {
        return std::nullopt;
    }
}

} // namespace tarvik
