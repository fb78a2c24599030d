// Writes the left column's markup from the catalogue, so the page shows the
// headers and kinds before any script runs and holds no copy of them.

#include "catalogue/family.h"
#include "core/utf8.h"

#include <cstdio>
#include <string>

namespace {

using tarvik::utf8;

std::string escaped(std::u16string_view text)
{
    std::string out;
    for (char c : utf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

int main()
{
    int k = 0;
    for (const tarvik::catalogue::Family* family : tarvik::catalogue::families) {
        ++k;
        const std::string n = std::to_string(k);
        const std::string header = escaped(family->header);
        std::printf("<div class=\"section\" id=\"Panel%s\">"
                    "<button type=\"button\" class=\"header\" id=\"sButton%s\" aria-expanded=\"false\" "
                    "aria-controls=\"sListBox%s\">%s</button>\n",
                    n.c_str(), n.c_str(), n.c_str(), header.c_str());
        std::printf(
            "<ul class=\"kinds\" id=\"sListBox%s\" role=\"listbox\" tabindex=\"0\" aria-label=\"%s\" hidden>",
            n.c_str(), header.c_str());
        int i = 0;
        for (auto kind : family->kinds)
            std::printf("<li role=\"option\" id=\"sListBox%s-%d\" aria-selected=\"false\">%s</li>", n.c_str(),
                        i++, escaped(kind).c_str());
        std::printf("</ul></div>\n");
    }
    return 0;
}
