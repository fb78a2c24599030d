#include "number/errors.h"

namespace tarvik {

namespace {

constexpr std::u16string_view notAFloatEnd = u"' is not a valid floating point value";

} // namespace

CalcError notAFloat(std::u16string_view text)
{
    std::u16string message = u"'";
    message += text;
    message += notAFloatEnd;
    return CalcError(std::move(message));
}

QuotedSpan quotedInput(std::u16string_view boxText)
{
    const std::size_t end = boxText.rfind(notAFloatEnd);
    if (boxText.empty() || boxText.front() != u'\'' || end == std::u16string_view::npos || end < 1)
        return {};
    return {1, end - 1};
}

CalcError floatingPointOverflow()
{
    return CalcError(u"Floating point overflow");
}

std::u16string errorBoxText(std::u16string message)
{
    if (!message.empty() && message.back() > u'.')
        message += u'.';
    return message;
}

} // namespace tarvik
