#include "estimate/estimate_file.h"

#include "estimate/json.h"
#include "number/double_text.h"
#include "number/errors.h"
#include "number/number_text.h"
#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <vector>

namespace tarvik {
namespace {

constexpr char16_t fileSeparator = u'.';
constexpr std::string_view formatName = "tarvik-estimate";
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
// the reader both name a field by these tables alone.

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

constexpr std::size_t noField = SIZE_MAX;

template <std::size_t N>
std::size_t fieldOf(const std::array<std::string_view, N>& keys, std::string_view key, std::size_t expected)
{
    if (expected < N && keys[expected] == key)
        return expected;
    for (std::size_t i = 0; i < N; ++i) {
        if (keys[i] == key)
            return i;
    }
    return noField;
}

// ---- writing

// The file's bytes, appended to one string: every write goes through the
// string's own check of its room, and its strings through the JSON
// library's serializer.
class FileWriter {
public:
    FileWriter(std::string& bytes, char16_t separator) : bytes_(bytes), strings_(bytes), separator_(separator)
    {
    }

    void raw(std::string_view text) { bytes_.append(text); }

    // `"key": `, the key from the tables above.
    void key(std::string_view key)
    {
        bytes_ += '"';
        bytes_.append(key);
        bytes_.append("\": ");
    }

    void text(std::u16string_view text) { strings_.write(text); }

    // A number in the estimate's texts, written with the file's separator.
    void number(std::u16string_view text) { strings_.write(text, separator_, fileSeparator); }

    // Eight digits at a time in 32 bits: WebAssembly has no 64-bit
    // multiply-high, so a 64-bit division by ten stays a division there.
    void count(std::uint64_t n)
    {
        constexpr std::uint32_t eightDigits = 100'000'000;
        char digits[22];
        char* const end = digits + sizeof digits;
        char* first = end;
        *--first = '"';
        while (n >= eightDigits) {
            const std::uint64_t high = n / eightDigits;
            auto low = static_cast<std::uint32_t>(n - high * eightDigits);
            for (int k = 0; k < 8; ++k, low /= 10)
                *--first = static_cast<char>('0' + low % 10);
            n = high;
        }
        auto low = static_cast<std::uint32_t>(n);
        do
            *--first = static_cast<char>('0' + low % 10);
        while ((low /= 10) != 0);
        *--first = '"';
        bytes_.append(first, static_cast<std::size_t>(end - first));
    }

private:
    std::string& bytes_;
    json::StringWriter strings_;
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

// Of the texts that name the same unit mass, each is read once. Ordered
// maps here as elsewhere in the estimate: a hash table's code weighs on
// the page, and an estimate holds a few hundred unit masses at most.
using UnitMassTexts = std::map<std::u16string, std::uint64_t, std::less<>>;

using LineTexts = std::array<std::u16string, lineFieldCount>;

// A line from its fields' texts, each of which was given.
EstimateLine lineOf(LineTexts& texts, bool hasUnitMass, UnitMassTexts& unitMasses)
{
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
    if (hasUnitMass) {
        auto [it, fresh] = unitMasses.try_emplace(texts[UnitMass], 0);
        if (fresh) {
            const std::optional<double> read = texts[UnitMass].size() <= maxEstimateNumberText
                                                   ? readDouble(texts[UnitMass], fileSeparator)
                                                   : std::nullopt;
            if (!read) {
                unitMasses.erase(it);
                refuse(EstimateFileFault::BadValue);
            }
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

// The document as the parser walks it. Each part is checked as it comes,
// lines included, and the first fault of the estimate's body is kept while
// the walk goes on: the file is JSON throughout, an estimate, and of a
// version this program reads before any fault of its body counts, and a
// later version is recognised whatever else it holds.
class Reader : public json::Events {
public:
    // `linesToo`: false where only the name is wanted.
    explicit Reader(bool linesToo) : linesToo_(linesToo) {}

    void startObject() override
    {
        if (skipping())
            return;
        switch (place_) {
        case Place::Start:
            place_ = Place::Top;
            break;
        case Place::TopValue:
            if (top_ == Deleted && linesToo_)
                place_ = Place::Deleted;
            else if (top_ == Deleted)
                skipValue(Place::Top);
            else
                valueSkipped();
            break;
        case Place::Lines:
            ++linesHeld_;
            texts_ = {};
            seen_ = {};
            lineFault_ = EstimateFileFault::None;
            next_ = 0;
            place_ = Place::Line;
            break;
        default:
            valueSkipped();
        }
    }

    void startArray() override
    {
        if (skipping())
            return;
        if (place_ != Place::TopValue || top_ != Lines)
            valueSkipped();
        else if (linesToo_)
            place_ = Place::Lines;
        else
            skipValue(Place::Top);
    }

    void endObject() override
    {
        if (unskip())
            return;
        switch (place_) {
        case Place::Line:
            endLine();
            place_ = Place::Lines;
            break;
        case Place::Top:
            place_ = Place::Done;
            break;
        default: // Place::Deleted
            place_ = Place::Top;
        }
    }

    void endArray() override
    {
        if (!unskip())
            place_ = Place::Top;
    }

    void key(std::string& text) override
    {
        if (skipping())
            return;
        switch (place_) {
        case Place::Top:
            top_ = fieldOf(topKeys, text, noField);
            if (top_ == noField) {
                ++unknownTopKeys_;
                if (!unknownKeys_.insert(std::move(text)).second)
                    duplicateTopKey_ = true;
            } else {
                duplicateTopKey_ = duplicateTopKey_ || topSeen_[top_];
                topSeen_[top_] = true;
            }
            place_ = Place::TopValue;
            break;
        case Place::Line:
            field_ = fieldOf(lineKeys, text, next_);
            if (field_ == noField || seen_[field_])
                lineFault(EstimateFileFault::WrongFormat);
            else
                seen_[field_] = true;
            next_ = field_ + 1;
            place_ = Place::LineValue;
            break;
        default: // Place::Deleted
            deletedId_ = countOf(fromUtf8(text));
            if (!deletedId_)
                bodyFault(EstimateFileFault::BadValue);
            place_ = Place::DeletedValue;
        }
    }

    void string(std::string& text) override
    {
        if (skipping())
            return;
        switch (place_) {
        case Place::TopValue:
            if (top_ != noField && top_ != Lines && top_ != Deleted)
                topTexts_[top_] = std::move(text);
            else
                wrongValue();
            break;
        case Place::LineValue:
            if (field_ != noField && lineFault_ == EstimateFileFault::None) {
                texts_[field_].clear();
                appendFromUtf8(texts_[field_], text);
            }
            break;
        case Place::DeletedValue:
            deletion(text);
            break;
        default:
            wrongValue();
        }
        place_ = after();
    }

    void otherValue() override
    {
        if (skipping())
            return;
        wrongValue();
        place_ = after();
    }

    // Why the file is not an estimate of a version this program reads;
    // none where it is. Only once the whole was JSON.
    EstimateFileFault headerFault() const
    {
        if (notOurs_ || duplicateTopKey_ || !topTexts_[Format] || *topTexts_[Format] != formatName)
            return EstimateFileFault::WrongFormat;
        if (!topTexts_[Version])
            return EstimateFileFault::WrongFormat;
        const std::optional<std::uint64_t> version = countOf(fromUtf8(*topTexts_[Version]));
        if (!version || *version == 0)
            return EstimateFileFault::BadValue;
        if (*version > static_cast<std::uint64_t>(estimateFileVersion))
            return EstimateFileFault::NewerVersion;
        return EstimateFileFault::None;
    }

    // Whether the file says it is another program's or a later version's.
    bool someoneElses() const
    {
        if (notOurs_ || (topTexts_[Format] && *topTexts_[Format] != formatName))
            return true;
        const std::optional<std::uint64_t> version =
            topTexts_[Version] ? countOf(fromUtf8(*topTexts_[Version])) : std::nullopt;
        return version && *version > static_cast<std::uint64_t>(estimateFileVersion);
    }

    // The name as the list shows it.
    std::u16string name() const
    {
        if (!topTexts_[Name])
            refuse(EstimateFileFault::WrongFormat);
        std::u16string name = fromUtf8(*topTexts_[Name]);
        checkText(name);
        return name;
    }

    // The estimate of a file whose header reads.
    Estimate estimate(char16_t separator, Estimate::Source ids, Estimate::Source clock)
    {
        if (unknownTopKeys_ != 0 ||
            !std::all_of(topSeen_.begin(), topSeen_.end(), [](bool seen) { return seen; }))
            refuse(EstimateFileFault::WrongFormat);
        for (std::size_t key : {Name, VatRate, PricesIncludeVat, SettingsEdited}) {
            if (!topTexts_[key])
                refuse(EstimateFileFault::WrongFormat);
        }
        std::u16string name = this->name();
        const std::uint64_t rate = count(fromUtf8(*topTexts_[VatRate]));
        if (rate > maxVatRate)
            refuse(EstimateFileFault::BadValue);
        const bool included = flag(fromUtf8(*topTexts_[PricesIncludeVat]));
        const std::uint64_t settingsEdited = count(fromUtf8(*topTexts_[SettingsEdited]));
        if (bodyFault_ != EstimateFileFault::None)
            refuse(bodyFault_);
        // A line is deleted or kept, never both.
        for (const auto& [id, when] : deleted_) {
            if (lineIds_.contains(id))
                refuse(EstimateFileFault::BadValue);
        }
        Estimate e(separator, std::move(ids), std::move(clock));
        e.restoreSettings(std::move(name), static_cast<std::uint32_t>(rate), included, settingsEdited);
        for (EstimateLine& line : lines_) {
            changeSeparator(line, fileSeparator, separator);
            e.restore(std::move(line));
        }
        for (const auto& [id, when] : deleted_)
            e.restoreDeleted(id, when);
        return e;
    }

    std::vector<EstimateLine> wholeLines(char16_t separator) &&
    {
        for (EstimateLine& line : lines_)
            changeSeparator(line, fileSeparator, separator);
        return std::move(lines_);
    }

    std::size_t linesHeld() const { return linesHeld_; }

private:
    enum class Place { Start, Top, TopValue, Lines, Line, LineValue, Deleted, DeletedValue, Done };

    bool skipping() const { return skipDepth_ != 0; }

    // Skips the value begun, then goes on at `resume`.
    void skipValue(Place resume)
    {
        skipDepth_ = 1;
        resume_ = resume;
    }

    bool unskip()
    {
        if (!skipping())
            return false;
        if (--skipDepth_ == 0)
            place_ = resume_;
        return true;
    }

    // Where the walk goes on after a value at the current place.
    Place after() const
    {
        switch (place_) {
        case Place::TopValue:
            return Place::Top;
        case Place::LineValue:
            return Place::Line;
        case Place::DeletedValue:
            return Place::Deleted;
        case Place::Lines:
            return Place::Lines;
        default:
            return Place::Done;
        }
    }

    // An object or array the format does not have here.
    void valueSkipped()
    {
        wrongValue();
        skipValue(after());
    }

    // A value of a kind the format does not have there.
    void wrongValue()
    {
        switch (place_) {
        case Place::Start:
            notOurs_ = true;
            break;
        case Place::TopValue:
            // An unknown key is the header's to judge; a known one with
            // a value of the wrong kind is not the format.
            if (top_ == Format || top_ == Version)
                notOurs_ = true;
            else if (top_ != noField)
                bodyFault(EstimateFileFault::WrongFormat);
            break;
        case Place::Lines:
            ++linesHeld_;
            bodyFault(EstimateFileFault::WrongFormat);
            break;
        case Place::LineValue:
            lineFault(EstimateFileFault::WrongFormat);
            break;
        default:
            bodyFault(EstimateFileFault::WrongFormat);
        }
    }

    void bodyFault(EstimateFileFault fault)
    {
        if (bodyFault_ == EstimateFileFault::None)
            bodyFault_ = fault;
    }

    void lineFault(EstimateFileFault fault)
    {
        if (lineFault_ == EstimateFileFault::None)
            lineFault_ = fault;
    }

    void endLine()
    {
        for (std::size_t i = 0; i < lineFieldCount; ++i) {
            // The decimal unit mass is for people reading the file; the bits decide.
            if (!seen_[i] && i != UnitMass)
                lineFault(EstimateFileFault::WrongFormat);
        }
        if (lineFault_ == EstimateFileFault::None) {
            try {
                EstimateLine line = lineOf(texts_, seen_[UnitMass], unitMasses_);
                // Two lines of one id would be one line after a merge: not ours.
                if (!lineIds_.insert(line.id).second)
                    lineFault(EstimateFileFault::BadValue);
                else if (lines_.size() >= maxEstimateLines)
                    lineFault(EstimateFileFault::TooLarge);
                else
                    lines_.push_back(std::move(line));
            } catch (const Fault& f) {
                lineFault(f.fault);
            }
        }
        bodyFault(lineFault_);
    }

    void deletion(const std::string& text)
    {
        const std::optional<std::uint64_t> when = countOf(fromUtf8(text));
        if (!when || !deletedId_)
            bodyFault(EstimateFileFault::BadValue);
        else if (!deleted_.try_emplace(*deletedId_, *when).second)
            bodyFault(EstimateFileFault::WrongFormat);
    }

    bool linesToo_;
    Place place_ = Place::Start;
    int skipDepth_ = 0;
    Place resume_ = Place::Done;

    std::size_t top_ = noField;
    std::array<bool, topFieldCount> topSeen_{};
    std::array<std::optional<std::string>, topFieldCount> topTexts_;
    std::set<std::string, std::less<>> unknownKeys_;
    std::size_t unknownTopKeys_ = 0;
    bool duplicateTopKey_ = false;
    bool notOurs_ = false;
    EstimateFileFault bodyFault_ = EstimateFileFault::None;

    // The line being read.
    LineTexts texts_;
    std::array<bool, lineFieldCount> seen_{};
    std::size_t field_ = noField;
    std::size_t next_ = 0;
    EstimateFileFault lineFault_ = EstimateFileFault::None;

    std::vector<EstimateLine> lines_;
    std::set<std::uint64_t> lineIds_;
    std::size_t linesHeld_ = 0;
    UnitMassTexts unitMasses_;

    std::optional<std::uint64_t> deletedId_;
    std::map<std::uint64_t, std::uint64_t> deleted_;
};

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
    return {error, std::nullopt, fault, {}, 0};
}

// Why the bytes are not an estimate of a version this program reads.
EstimateFileFault headerFault(std::string_view bytes, Reader& reader)
{
    if (bytes.size() > maxEstimateFileBytes)
        return EstimateFileFault::TooLarge;
    if (const std::optional<json::Error> error = json::parse(bytes, maxJsonDepth, reader))
        return faultOf(*error);
    return reader.headerFault();
}

} // namespace

std::string estimateFileBytes(const Estimate& e)
{
    std::string bytes;
    bytes.reserve(256 + e.size() * 320 + e.deleted().size() * 48);
    FileWriter out(bytes, e.separator());
    const auto field = [&out](std::string_view before, TopField key) {
        out.raw(before);
        out.key(topKeys[key]);
    };
    field("{\n", Format);
    out.text(fromUtf8(formatName));
    field(",\n", Version);
    out.count(estimateFileVersion);
    field(",\n", Name);
    out.text(e.name());
    field(",\n", VatRate);
    out.count(e.vatRate());
    field(",\n", PricesIncludeVat);
    out.count(e.pricesIncludeVat() ? 1 : 0);
    field(",\n", SettingsEdited);
    out.count(e.settingsEdited());
    field(",\n", Lines);
    out.raw("[");
    // An estimate's unit masses are a few catalogue values, each written
    // once and copied for the lines of that size.
    std::map<std::uint64_t, std::string> unitMasses;
    for (std::size_t i = 0; i < e.size(); ++i) {
        const EstimateLine& l = e.line(i);
        auto [unitMass, fresh] = unitMasses.try_emplace(doubleBits(l.unitMass));
        if (fresh)
            unitMass->second = unitMassFields(l.unitMass);
        const auto lineField = [&out](LineField key) {
            out.raw(", ");
            out.key(lineKeys[key]);
        };
        out.raw(i == 0 ? "\n{" : ",\n{");
        out.key(lineKeys[Id]);
        out.count(l.id);
        lineField(Family);
        out.text(l.family);
        lineField(Kind);
        out.text(l.kind);
        lineField(Size);
        out.text(l.size);
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
        lineField(Edited);
        out.count(l.edited);
        out.raw("}");
    }
    out.raw(e.size() == 0 ? "]" : "\n]");
    field(",\n", Deleted);
    out.raw("{");
    bool first = true;
    for (const auto& [id, when] : e.deleted()) {
        out.raw(first ? "\n" : ",\n");
        first = false;
        out.count(id);
        out.raw(": ");
        out.count(when);
    }
    out.raw(first ? "}\n}\n" : "\n}\n}\n");
    return bytes;
}

EstimateFileRead readEstimateFile(std::string_view bytes, char16_t separator, Estimate::Source ids,
                                  Estimate::Source clock)
{
    Reader reader(true);
    EstimateFileFault fault = headerFault(bytes, reader);
    if (fault == EstimateFileFault::None) {
        try {
            Estimate e = reader.estimate(separator, std::move(ids), std::move(clock));
            const std::size_t held = reader.linesHeld();
            return {EstimateFileError::None, std::move(e), EstimateFileFault::None, {}, held};
        } catch (const Fault& f) {
            fault = f.fault;
        }
    }
    EstimateFileRead read = failed(fault);
    if (fault != EstimateFileFault::NewerVersion && !reader.someoneElses()) {
        read.linesHeld = reader.linesHeld();
        read.wholeLines = std::move(reader).wholeLines(separator);
    }
    return read;
}

std::optional<std::u16string> estimateFileName(std::string_view bytes)
{
    Reader reader(false);
    if (headerFault(bytes, reader) != EstimateFileFault::None)
        return std::nullopt;
    try {
        return reader.name();
    } catch (const Fault&) {
        return std::nullopt;
    }
}

} // namespace tarvik
