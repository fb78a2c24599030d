#include "number/count_text.h"

namespace tarvik {

std::u16string countText(std::uint64_t n)
{
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n != 0);
    return text;
}

} // namespace tarvik
