#include "estimate/typed_amount.h"

#include "number/count_text.h"
#include "text/captions.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tarvik {
namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isGroupSpace(char16_t c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u2007' || c == u'\u2009' || c == u'\u202F';
}

bool isEndSpace(char16_t c)
{
    return isGroupSpace(c) || c == u'\t' || c == u'\n' || c == u'\r';
}

char16_t lower(char16_t c)
{
    return c >= u'А' && c <= u'Я' ? static_cast<char16_t>(c + (u'а' - u'А')) : c;
}

std::u16string_view trimmed(std::u16string_view text)
{
    while (!text.empty() && isEndSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isEndSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text without a trailing currency: as sellers write a price.
std::u16string_view withoutCurrency(std::u16string_view text)
{
    static constexpr std::array<std::u16string_view, 5> marks = {u"₽", u"руб.", u"руб", u"р.", u"р"};
    for (const std::u16string_view mark : marks) {
        if (text.size() <= mark.size())
            continue;
        const std::u16string_view tail = text.substr(text.size() - mark.size());
        if (std::equal(tail.begin(), tail.end(), mark.begin(),
                       [](char16_t a, char16_t b) { return lower(a) == b; }))
            return trimmed(text.substr(0, text.size() - mark.size()));
    }
    return text;
}

struct Normalized {
    std::u16string text; // digits, at most one separator
    TypedAmountError error = TypedAmountError::None;
    std::u16string detail;
};

Normalized failed(TypedAmountError error, std::u16string detail = {})
{
    return {{}, error, std::move(detail)};
}

// Digits alone, or parted by single marks into groups of three after a
// first group of one to three: the digits; none when a mark is misplaced.
std::optional<std::u16string> ungrouped(std::u16string_view part)
{
    std::u16string digits;
    std::size_t group = 0;
    bool first = true;
    for (const char16_t c : part) {
        if (isDigit(c)) {
            digits += c;
            ++group;
            continue;
        }
        if (group == 0 || group > 3 || (!first && group != 3))
            return std::nullopt;
        first = false;
        group = 0;
    }
    if (!first && group != 3)
        return std::nullopt;
    return digits;
}

Normalized normalize(std::u16string_view text, char16_t separator, TypedCell cell)
{
    text = trimmed(text);
    if (cell == TypedCell::Money)
        text = withoutCurrency(text);
    if (!text.empty() && (text.front() == u'-' || text.front() == u'\u2212'))
        return failed(TypedAmountError::Negative);
    if (!text.empty() && text.front() == u'+')
        text.remove_prefix(1);
    const char16_t other = separator == u',' ? u'.' : u',';
    int separators = 0, others = 0, spaces = 0, digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isDigit(c))
            ++digits;
        else if (c == separator)
            ++separators;
        else if (c == other)
            ++others;
        else if (isGroupSpace(c))
            ++spaces;
        else if ((c == u'e' || c == u'E') && digits > 0)
            return failed(TypedAmountError::Exponent);
        else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size())
            return failed(TypedAmountError::Foreign, std::u16string(text.substr(i, 2)));
        else
            return failed(TypedAmountError::Foreign, std::u16string(1, c));
    }
    if (digits == 0)
        return failed(TypedAmountError::NotANumber);
    if (separators > 1)
        return failed(TypedAmountError::TwoSeparators, std::u16string(1, separator));

    std::u16string_view whole = text, fraction;
    if (const std::size_t at = text.find(separator); at != std::u16string_view::npos) {
        whole = text.substr(0, at);
        fraction = text.substr(at + 1);
    } else if (others == 1 && spaces == 0) {
        // One mark and no separator: a decimal point typed by habit, unless
        // three digits follow it, which may as well be thousands.
        const std::size_t at = text.find(other);
        if (text.size() - at - 1 == 3)
            return failed(TypedAmountError::AmbiguousStop);
        whole = text.substr(0, at);
        fraction = text.substr(at + 1);
    }
    if (!std::all_of(fraction.begin(), fraction.end(), isDigit))
        return failed(TypedAmountError::MisplacedGroup);
    const bool hasSpaces = std::any_of(whole.begin(), whole.end(), isGroupSpace);
    const bool hasOthers = whole.find(other) != std::u16string_view::npos;
    if (hasSpaces && hasOthers)
        return failed(TypedAmountError::MisplacedGroup);
    const std::optional<std::u16string> wholeDigits = ungrouped(whole);
    if (!wholeDigits)
        return failed(TypedAmountError::MisplacedGroup);
    Normalized result{*wholeDigits, TypedAmountError::None, {}};
    if (!fraction.empty() || text.find(separator) != std::u16string_view::npos) {
        result.text += separator;
        result.text += fraction;
    }
    return result;
}

} // namespace

TypedAmount readTypedAmount(std::u16string_view text, char16_t separator, int decimals, TypedCell cell)
{
    Normalized normalized = normalize(text, separator, cell);
    if (normalized.error != TypedAmountError::None)
        return {{}, normalized.error, std::move(normalized.detail)};
    AmountText amount = readAmount(normalized.text, separator, decimals);
    switch (amount.error) {
    case AmountError::None:
        return {std::move(amount.units), TypedAmountError::None, {}};
    case AmountError::TooManyDecimals:
        return {{}, TypedAmountError::TooManyDecimals, {}};
    case AmountError::TooLarge:
        return {{}, TypedAmountError::TooLarge, {}};
    case AmountError::Negative:
        return {{}, TypedAmountError::Negative, {}};
    case AmountError::NotANumber:
        break;
    }
    return {{}, TypedAmountError::NotANumber, {}};
}

std::u16string typedAmountReason(const TypedAmount& amount, std::u16string_view text, char16_t separator,
                                 int decimals)
{
    switch (amount.error) {
    case TypedAmountError::None:
        return {};
    case TypedAmountError::NotANumber:
        return std::u16string(caption(Caption::TypedNotANumber));
    case TypedAmountError::Foreign:
        return captionFilled(Caption::TypedForeign, {amount.detail});
    case TypedAmountError::Exponent:
        return std::u16string(caption(Caption::TypedExponent));
    case TypedAmountError::Negative:
        return std::u16string(caption(Caption::NegativeAmount));
    case TypedAmountError::MisplacedGroup:
        return std::u16string(caption(Caption::TypedMisplacedGroup));
    case TypedAmountError::AmbiguousStop: {
        // "65.000": 65000 or 65,000?
        const std::u16string_view number = trimmed(text);
        const char16_t other = separator == u',' ? u'.' : u',';
        std::u16string thousands(number), fraction(number);
        std::erase(thousands, other);
        std::replace(fraction.begin(), fraction.end(), other, separator);
        return captionFilled(Caption::TypedAmbiguousStop, {number, thousands, fraction});
    }
    case TypedAmountError::TwoSeparators:
        return captionFilled(Caption::TypedTwoSeparators, {amount.detail});
    case TypedAmountError::TooManyDecimals:
        return captionFilled(Caption::TypedTooManyDecimals,
                             {countText(static_cast<std::size_t>(decimals)), std::u16string(1, separator)});
    case TypedAmountError::TooLarge:
        return std::u16string(caption(Caption::TypedTooLarge));
    }
    return {};
}

TypedQuantity typedQuantity(std::u16string_view text, char16_t separator)
{
    Normalized normalized = normalize(text, separator, TypedCell::Number);
    if (normalized.error == TypedAmountError::None)
        return {std::move(normalized.text), TypedAmountError::None, {}};
    const TypedAmount refused{{}, normalized.error, std::move(normalized.detail)};
    return {{}, normalized.error, typedAmountReason(refused, text, separator, 0)};
}

std::u16string groupedThousands(std::u16string_view plain, char16_t separator)
{
    const std::size_t sign = !plain.empty() && (plain.front() == u'-' || plain.front() == u'+') ? 1 : 0;
    const std::size_t end = std::min(plain.find(separator), plain.size());
    std::u16string out(plain.substr(0, sign));
    for (std::size_t i = sign; i < end; ++i) {
        if (i > sign && (end - i) % 3 == 0)
            out += u'\u2009';
        out += plain[i];
    }
    out += plain.substr(end);
    return out;
}

} // namespace tarvik
