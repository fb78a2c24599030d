// Writes what the page's markup takes from the core when the page is built,
// so the page shows its texts before any script runs and holds no copy of
// them: "sections" prints the left column (headers and kinds, from the
// catalogue), "captions" prints a CMake script that sets each fixed text
// under its key in the captions table, escaped for markup and for JSON.

#include "catalogue/family.h"
#include "catalogue/own_sections.h"
#include "text/captions.h"
#include "text/error_box.h"
#include "text/utf8.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A quoted CMake argument that reads back as `text`.
std::string cmakeQuoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"' || c == '$' || c == '@')
            out += '\\';
        out += c;
    }
    return out + '"';
}

template <typename Kinds> void printSection(int k, std::u16string_view headerText, const Kinds& kinds)
{
    const std::string n = std::to_string(k);
    const std::string header = escaped(headerText);
    std::printf("<div class=\"section\" id=\"Panel%s\">"
                "<button type=\"button\" class=\"header\" id=\"sButton%s\" aria-expanded=\"false\" "
                "aria-controls=\"sListBox%s\">%s</button>\n",
                n.c_str(), n.c_str(), n.c_str(), header.c_str());
    std::printf(
        "<ul class=\"kinds\" id=\"sListBox%s\" role=\"listbox\" tabindex=\"0\" aria-label=\"%s\" hidden>",
        n.c_str(), header.c_str());
    int i = 0;
    for (std::u16string_view kind : kinds)
        std::printf("<li role=\"option\" id=\"sListBox%s-%d\" aria-selected=\"false\">%s</li>", n.c_str(),
                    i++, escaped(kind).c_str());
    std::printf("</ul></div>\n");
}

// The catalogue's sections, then «Свой размер».
void printSections()
{
    int k = 0;
    for (const tarvik::catalogue::Family* family : tarvik::catalogue::families)
        printSection(++k, family->header, family->kinds);
    std::vector<std::u16string_view> own;
    for (const tarvik::catalogue::OwnKind& kind : tarvik::catalogue::ownKinds)
        own.push_back(kind.name);
    printSection(++k, tarvik::catalogue::ownSectionsHeader, own);
}

// A JSON string's contents.
std::string jsonEscaped(std::u16string_view text)
{
    std::string out;
    for (char c : utf8(text)) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", c);
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

void printCaptions()
{
    // Each text twice: for markup under its key, for JSON under key_json.
    const auto set = [](std::string_view key, std::u16string_view text) {
        const int length = static_cast<int>(key.size());
        std::printf("set(%.*s %s)\n", length, key.data(), cmakeQuoted(escaped(text)).c_str());
        std::printf("set(%.*s_json %s)\n", length, key.data(), cmakeQuoted(jsonEscaped(text)).c_str());
    };
    for (const tarvik::CaptionEntry& entry : tarvik::captionEntries())
        set(entry.key, tarvik::caption(entry.which));
    set("ErrorBoxTitle", tarvik::errorBoxTitle(tarvik::pageProgramName));
    set("SizeListButtonAtStart",
        tarvik::sizeListButtonName(tarvik::caption(tarvik::Caption::SizeListAtStart)));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view what = argc > 1 ? argv[1] : "";
    if (what == "sections")
        printSections();
    else if (what == "captions")
        printCaptions();
    else
        return 2;
    return 0;
}
