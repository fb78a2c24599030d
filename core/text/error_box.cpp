#include "text/error_box.h"

#include "number/errors.h"
#include "text/letter_case.h"
#include "text/utf8.h"

namespace tarvik {

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
