// How actions and texts read in a failure report.

#include "common.h"
#include "session.h"

#include "calculator/window.h"

#include <cstdio>
#include <sstream>

namespace tarvik::users {

std::string escaped(const QString& text, int limit)
{
    std::string out = "\"";
    const auto put = [&out](char16_t c) {
        if (c >= 0x20 && c < 0x7f && c != u'"' && c != u'\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    };
    if (text.size() <= limit) {
        for (QChar c : text)
            put(c.unicode());
    } else {
        for (QChar c : text.left(limit / 2))
            put(c.unicode());
        out += "\"...<" + std::to_string(text.size()) + " chars>...\"";
        for (QChar c : text.right(limit / 4))
            put(c.unicode());
    }
    return out + "\"";
}

const char* dropDownName(int which)
{
    switch (static_cast<DropDown>(which)) {
    case DropDown::Element:
        return "sComboBoxElement";
    case DropDown::E1:
        return "sComboBoxE1";
    case DropDown::E2:
        return "sComboBoxE2";
    }
    return "?";
}

const char* commandName(int command)
{
    static const char* names[] = {"Paste", "Cut", "Delete", "Select All"};
    return names[command];
}

std::string describe(const Action& a)
{
    std::ostringstream out;
    switch (a.kind) {
    case ActionKind::HeaderClick:
        out << "click header " << a.a;
        break;
    case ActionKind::KindClick:
        out << (a.c ? "Ctrl+click" : "click") << " kind " << a.b << " of section " << a.a;
        break;
    case ActionKind::ModeClick:
        out << "click mode " << a.a;
        break;
    case ActionKind::CalcClick:
        out << "click Расчитать";
        break;
    case ActionKind::FieldClick:
        if (a.a == a.b)
            out << "click into the field at x=" << a.a;
        else
            out << "drag in the field from x=" << a.a << " to x=" << a.b;
        break;
    case ActionKind::FieldKey:
        out << "key " << fieldKeys()[static_cast<std::size_t>(a.a)].name << " in the field";
        break;
    case ActionKind::FieldType:
        out << "type " << escaped(a.text) << " into the field";
        break;
    case ActionKind::ContextMenu:
        out << "context menu " << commandName(a.a);
        if (static_cast<ContextCommand>(a.a) == ContextCommand::Paste)
            out << " " << escaped(a.text);
        break;
    case ActionKind::FocusKey:
        out << "key " << focusKeys()[static_cast<std::size_t>(a.a)].name << " to the focused control";
        break;
    case ActionKind::PickerPopup:
        out << "pick item " << a.b << " from the list of " << dropDownName(a.a);
        break;
    case ActionKind::PickerType:
        out << "type " << escaped(a.text) << " into " << dropDownName(a.a)
            << (a.b == 1   ? " and Enter"
                : a.b == 2 ? " and Delete"
                           : "");
        break;
    case ActionKind::PickerWheel:
        out << "wheel " << (a.b > 0 ? "down" : "up") << " over " << dropDownName(a.a);
        break;
    case ActionKind::SwitchAway:
        out << "switch to another application";
        break;
    case ActionKind::ResultMenu:
        out << "result menu: " << (a.a ? "copy with the unit" : "copy");
        break;
    case ActionKind::ClickNowhere:
        out << "click an inert spot " << a.a;
        break;
    }
    return out.str();
}

} // namespace tarvik::users
