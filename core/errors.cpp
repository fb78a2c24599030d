#include "errors.h"

#include "letter_case.h"
#include "utf8.h"

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
