#include "errors.h"

namespace tarvik {

CalcError notAFloat(std::u16string_view text)
{
    std::u16string message = u"'";
    message += text;
    message += u"' is not a valid floating point value";
    return CalcError(std::move(message));
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
