// Which action a user takes next: weighted by what makes sense in the
// present state of the window.

#include "session_impl.h"

#include <algorithm>

namespace tarvik::users {
namespace {

Action calcClick()
{
    Action a;
    a.kind = ActionKind::CalcClick;
    return a;
}

} // namespace

Action Session::Impl::generate(std::mt19937_64& rng)
{
    const auto pick = [&rng](int n) {
        return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n));
    };
    activate(); // whatever the user does next, they do it in this window
    const bool wide = m.widened;
    QWidget* focus = focused();
    const bool fieldFocused = focus == edit;

    struct Candidate {
        ActionKind kind;
        double weight;
    };
    std::vector<Candidate> c = {
        {ActionKind::HeaderClick, m.headerClicked ? 3.0 : 15.0},
        {ActionKind::KindClick, m.openSection ? 12.0 : 0.0},
        {ActionKind::ModeClick, wide ? 4.0 : 0.0},
        {ActionKind::CalcClick, wide ? 12.0 : 0.0},
        {ActionKind::FieldClick, wide ? (fieldFocused ? 3.0 : 10.0) : 0.0},
        {ActionKind::FieldKey, fieldFocused ? 25.0 : 0.0},
        {ActionKind::FieldType, fieldFocused ? 15.0 : 0.0},
        {ActionKind::ContextMenu, wide ? 3.0 : 0.0},
        {ActionKind::FocusKey, focus && !fieldFocused ? 6.0 : 0.0},
        {ActionKind::PickerPopup, wide ? 6.0 : 0.0},
        {ActionKind::PickerType, wide ? 6.0 : 0.0},
        {ActionKind::PickerWheel, wide ? 1.0 : 0.0},
        {ActionKind::SwitchAway, 0.3},
        {ActionKind::ClickNowhere, wide ? 0.5 : 0.0},
        {ActionKind::ResultMenu, wide ? 1.0 : 0.0},
    };
    std::vector<double> weights;
    for (const auto& x : c)
        weights.push_back(x.weight);
    std::discrete_distribution<int> choose(weights.begin(), weights.end());
    Action a;
    a.kind = c[static_cast<std::size_t>(choose(rng))].kind;

    // A user who sees junk in the field soon selects it all and deletes it.
    const QString text = edit->text();
    const bool junk = text.size() > 24 || std::any_of(text.begin(), text.end(), [](QChar ch) {
                          return !(ch.isDigit() && ch.unicode() < 0x80) && ch != u',';
                      });
    if (wide && junk && pick(3) == 0) {
        if (fieldFocused && edit->selectedText() == text) {
            a.kind = ActionKind::FieldKey;
            a.a = pick(2) ? fieldKey("Delete") : fieldKey("Backspace");
        } else {
            a.kind = ActionKind::ContextMenu;
            a.a = static_cast<int>(ContextCommand::SelectAll);
        }
        return a;
    }

    // Visible, enabled drop-down lists.
    std::vector<int> pickers;
    for (int i = 0; i < 3; ++i) {
        if (!combo(i)->isHidden() && combo(i)->isEnabled())
            pickers.push_back(i);
    }

    switch (a.kind) {
    case ActionKind::HeaderClick:
        a.a = 1 + pick(12);
        break;
    case ActionKind::KindClick: {
        a.a = m.openSection;
        const int kinds =
            static_cast<int>(catalogue::families[static_cast<std::size_t>(a.a - 1)]->kinds.size());
        a.b = pick(kinds);
        a.c = pick(15) == 0;
        break;
    }
    case ActionKind::ModeClick:
        a.a = pick(2);
        break;
    case ActionKind::CalcClick:
    case ActionKind::SwitchAway:
        break;
    case ActionKind::FieldClick:
        a.a = 2 + pick(edit->width() - 4);
        a.b = pick(5) == 0 ? 2 + pick(edit->width() - 4) : a.a;
        break;
    case ActionKind::FieldKey: {
        const auto& keys = fieldKeys();
        // Mostly what a user types into a number field: digits and the comma.
        static const std::vector<int> common = [&keys] {
            std::vector<int> out;
            for (std::size_t i = 0; i < keys.size(); ++i) {
                const std::string name = keys[i].name;
                if (name.size() == 1 || name == "Backspace" || name == "Delete" || name == "Left" ||
                    name == "Right")
                    out.push_back(static_cast<int>(i));
            }
            return out;
        }();
        if (pick(3) != 0) {
            a.a = common[static_cast<std::size_t>(pick(static_cast<int>(common.size())))];
        } else {
            a.a = pick(static_cast<int>(keys.size()));
        }
        break;
    }
    case ActionKind::FieldType: {
        // A number, now and then with a comma or a full stop in it.
        const int length = 1 + pick(8);
        const int separatorAt = pick(2) ? pick(length + 1) : -1;
        for (int i = 0; i < length; ++i) {
            if (i == separatorAt)
                a.text += pick(3) ? u',' : u'.';
            a.text += QChar(u'0' + pick(10));
        }
        break;
    }
    case ActionKind::ContextMenu: {
        const int r = pick(20);
        a.a = static_cast<int>(r < 13   ? ContextCommand::Paste
                               : r < 16 ? ContextCommand::SelectAll
                               : r < 18 ? ContextCommand::Cut
                                        : ContextCommand::Delete);
        if (static_cast<ContextCommand>(a.a) == ContextCommand::Paste)
            a.text = randomPasteText(rng);
        break;
    }
    case ActionKind::FocusKey:
        a.a = pick(static_cast<int>(focusKeys().size()));
        break;
    case ActionKind::PickerPopup: {
        std::vector<int> filled;
        for (int i : pickers) {
            if (combo(i)->count() > 0)
                filled.push_back(i);
        }
        if (filled.empty())
            return calcClick();
        a.a = filled[static_cast<std::size_t>(pick(static_cast<int>(filled.size())))];
        a.b = pick(combo(a.a)->count());
        break;
    }
    case ActionKind::PickerType: {
        if (pickers.empty())
            return calcClick();
        a.a = pickers[static_cast<std::size_t>(pick(static_cast<int>(pickers.size())))];
        DropDownList* box = combo(a.a);
        const int r = pick(10);
        if (box->count() > 0 && r < 7) {
            QString item = box->itemText(pick(box->count()));
            a.text = r < 4 ? item.left(1 + pick(static_cast<int>(item.size()))) : item;
            if (pick(4) == 0)
                a.text = a.text.toUpper();
        } else {
            static const char16_t alphabet[] = {u'0', u'1', u'2', u'5', u'x', u'X',
                                                u'х', u'.', u',', u' ', u'-'};
            const int length = 1 + pick(4);
            for (int i = 0; i < length; ++i)
                a.text += QChar(alphabet[pick(static_cast<int>(std::size(alphabet)))]);
        }
        a.b = pick(3) == 0 ? 1 : pick(5) == 0 ? 2 : 0;
        break;
    }
    case ActionKind::PickerWheel:
        if (pickers.empty())
            return calcClick();
        a.a = pickers[static_cast<std::size_t>(pick(static_cast<int>(pickers.size())))];
        a.b = pick(2) ? 1 : -1;
        break;
    case ActionKind::ClickNowhere:
        a.a = pick(4);
        break;
    case ActionKind::ResultMenu:
        a.a = pick(2);
        break;
    }
    return a;
}

} // namespace tarvik::users
