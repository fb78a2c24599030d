#include "errors.h"

#include "letter_case.h"
#include "utf8.h"

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

std::u16string errorBoxTextOfCurrentException()
{
    try {
        throw;
    } catch (const CalcError& e) {
        return errorBoxText(e.message());
    } catch (const std::exception& e) {
        return errorBoxText(fromUtf8(e.what()));
    } catch (...) {
        return u"Unknown error.";
    }
}

std::u16string errorBoxTitle(std::u16string_view programFileName)
{
    std::u16string_view name = programFileName.substr(0, programFileName.find(u'.'));
    std::u16string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = lowerCase(title[i]);
    return title;
}

} // namespace tarvik
