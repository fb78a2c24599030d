#include "number/entry_rules.h"

#include <algorithm>

namespace tarvik {
namespace {

constexpr char16_t backspace = 8;

// The separator's name in the sentences that explain a refused key.
struct SeparatorName {
    std::u16string_view nominative;   // В числе уже есть запятая
    std::u16string_view genitive;     // после запятой
    std::u16string_view instrumental; // Перед запятой
};

SeparatorName nameOf(char16_t separator)
{
    switch (separator) {
    case u',':
        return {u"запятая", u"запятой", u"запятой"};
    case u'.':
        return {u"точка", u"точки", u"точкой"};
    default:
        return {u"разделитель", u"разделителя", u"разделителем"};
    }
}

std::u16string sentence(std::u16string_view a, std::u16string_view b)
{
    std::u16string s(a);
    s += b;
    return s;
}

bool isWhiteSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' ||
           c == u'\u00A0' || c == u'\u2007' || c == u'\u2009' || c == u'\u202F' || c == u'\u2028' ||
           c == u'\u2029' || c == u'\u3000' || c == u'\uFEFF';
}

bool isGroupSpace(char16_t c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u2007' || c == u'\u2009' || c == u'\u202F';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

KeyVerdict numberKeyVerdict(const FieldState& field, char16_t key, char16_t separator)
{
    if (key == backspace)
        return {std::u16string(1, key), {}};
    if (key < 0x20 || key == 0x7F)
        return {};

    const std::u16string_view text = field.text;
    const int length = static_cast<int>(text.size());
    const auto found = text.find(separator);
    // Position of the first separator counted from 1; 0 when there is none.
    const int separatorAt = found == std::u16string_view::npos ? 0 : static_cast<int>(found) + 1;
    const int caret = field.selectionStart;
    const bool wholeTextSelected = length > 0 && field.selectionStart == 0 && field.selectionEnd >= length;
    const SeparatorName name = nameOf(separator);

    // Both keys type the separator that conversion and formatting use, so a
    // typed fraction always converts, whatever the locale.
    if (key == u',' || key == u'.' || key == separator) {
        if (length == 0 || wholeTextSelected)
            return {std::u16string{u'0', separator}, {}};
        if (separatorAt != 0)
            return {{}, sentence(u"В числе уже есть ", name.nominative)};
        if (caret == 0)
            return {{}, sentence(u"Перед ", sentence(name.instrumental, u" нужна цифра"))};
        return {std::u16string(1, separator), {}};
    }
    if (isDigit(key)) {
        const bool fractionFull = separatorAt > 0 && length - separatorAt > fractionDigitLimit;
        static_assert(fractionDigitLimit == 5, "the sentence below names six digits");
        if (fractionFull && caret >= separatorAt && !wholeTextSelected)
            return {{}, sentence(u"Не больше шести знаков после ", name.genitive)};
        return {std::u16string(1, key), {}};
    }
    return {{}, sentence(u"Только цифры и ", name.nominative)};
}

KeyVerdict cellKeyVerdict(const FieldState& field, char16_t key, char16_t separator, int fractionDigits)
{
    // A space between thousands, as people type «65 000»: after a digit of
    // the whole part, once. Elsewhere it says what the field takes.
    if (key == u' ' || key == u'\u00A0') {
        const std::u16string_view text = field.text;
        const auto caret = static_cast<std::size_t>(std::max(
            0, std::min(std::min(field.selectionStart, field.selectionEnd), static_cast<int>(text.size()))));
        const std::u16string_view before = text.substr(0, caret);
        if (!before.empty() && isDigit(before.back()) && before.find(separator) == std::u16string_view::npos)
            return {std::u16string(1, key), {}};
    }
    KeyVerdict verdict = numberKeyVerdict(field, key, separator);
    if (verdict.inserted.empty() || key == backspace)
        return verdict;
    // Judged on the text the key would leave, so that typing over a
    // selection and a separator typed in front of digits count alike.
    const std::u16string_view text = field.text;
    const auto clamp = [&](int at) {
        return static_cast<std::size_t>(std::max(0, std::min(at, static_cast<int>(text.size()))));
    };
    const std::size_t start = clamp(std::min(field.selectionStart, field.selectionEnd));
    const std::size_t end = clamp(std::max(field.selectionStart, field.selectionEnd));
    std::u16string after(text.substr(0, start));
    after += verdict.inserted;
    after += text.substr(end);
    const auto at = after.find(separator);
    if (at == std::u16string::npos)
        return verdict;
    if (fractionDigits <= 0)
        return {{}, u"Здесь только целое число"};
    if (after.size() - at - 1 <= static_cast<std::size_t>(fractionDigits))
        return verdict;
    static constexpr std::u16string_view counts[] = {u"одного знака", u"двух знаков", u"трёх знаков",
                                                     u"четырёх знаков", u"пяти знаков"};
    const std::size_t n = static_cast<std::size_t>(std::min(fractionDigits, 5)) - 1;
    return {{},
            sentence(sentence(u"Не больше ", counts[n]), sentence(u" после ", nameOf(separator).genitive))};
}

std::u16string pastedNumberText(std::u16string_view pasted)
{
    std::size_t begin = 0, end = pasted.size();
    while (begin < end && isWhiteSpace(pasted[begin]))
        ++begin;
    while (end > begin && isWhiteSpace(pasted[end - 1]))
        --end;
    const std::u16string_view trimmed = pasted.substr(begin, end - begin);
    std::u16string out;
    out.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        // A run of group spaces counts only between two digits.
        if (isGroupSpace(trimmed[i]) && !out.empty() && isDigit(out.back())) {
            std::size_t j = i;
            while (j < trimmed.size() && isGroupSpace(trimmed[j]))
                ++j;
            if (j < trimmed.size() && isDigit(trimmed[j])) {
                i = j - 1;
                continue;
            }
        }
        out += trimmed[i];
    }
    return out;
}

} // namespace tarvik
