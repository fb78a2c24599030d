// The page's entry points. Each one records what the user did, runs the
// core handler, and answers with the error box's text ("" when there is
// none): no exception ever reaches JavaScript.

#include "dom_window.h"

#include "core/calculator.h"
#include "core/errors.h"
#include "core/size_text.h"
#include "core/stored_accordion.h"

#include <emscripten/bind.h>

#include <exception>

namespace tarvik::web {
namespace {

using emscripten::val;

template <typename Handler> std::u16string guarded(Handler&& handler)
{
    try {
        handler();
        return {};
    } catch (const CalcError& e) {
        return errorBoxText(e.message());
    } catch (const std::exception& e) {
        const std::string what = e.what();
        return errorBoxText(std::u16string(what.begin(), what.end()));
    }
}

DropDown dropDown(int list)
{
    switch (list) {
    case 1:
        return DropDown::E1;
    case 2:
        return DropDown::E2;
    default:
        return DropDown::Element;
    }
}

} // namespace

class WebCalculator {
public:
    explicit WebCalculator(val page) : window_(std::move(page)), calc_(window_) {}

    void setDecimalSeparator(const std::u16string& separator)
    {
        calc_.setDecimalSeparator(separator.empty() ? u'.' : separator.front());
    }

    // Returns the open section, 1..12.
    int headerClick(int section)
    {
        return section >= 1 && section <= 12 ? accordion_.headerClick(section) : accordion_.openSection();
    }
    int openSection() const { return accordion_.openSection(); }

    std::u16string kindClick(int section, int index)
    {
        return guarded([&] {
            window_.kindChosen(section, index);
            calc_.sListBoxClick(section);
        });
    }

    std::u16string modeClick(int index)
    {
        return guarded([&] {
            window_.modeChosen(index);
            calc_.sRadioGroupClick();
        });
    }

    // A pick from a drop-down list's popup or by an arrow key.
    std::u16string itemPick(int list, int index)
    {
        return guarded([&] {
            window_.setItemIndex(dropDown(list), index);
            changed(dropDown(list));
        });
    }

    // The user edited a drop-down list's text. Typed characters complete to
    // the first item they begin; the item is the one whose whole text is shown.
    std::u16string textEdit(int list, const std::u16string& text, bool typed)
    {
        return guarded([&] {
            const DropDown which = dropDown(list);
            std::u16string shown = text;
            const int completing = typed ? itemCompletingText(window_, which, text) : -1;
            if (completing >= 0) {
                shown = window_.itemText(which, completing);
                window_.showCompletion(which, completing, static_cast<int>(text.size()));
            }
            window_.itemChosen(which, itemShowingText(window_, which, shown));
            changed(which);
        });
    }

    std::u16string calcClick()
    {
        return guarded([&] { calc_.sButtonCalcClick(); });
    }

    // The character that reaches the field, or 0 to drop the key.
    int keyPress(int key)
    {
        int reaches = 0;
        const std::u16string error =
            guarded([&] { reaches = calc_.sEditParamKeyPress(static_cast<char16_t>(key)); });
        return error.empty() ? reaches : 0;
    }

    std::u16string editClick()
    {
        return guarded([&] { calc_.sEditParamClick(); });
    }

    std::u16string editExit()
    {
        return guarded([&] { calc_.sEditParamExit(); });
    }

    int itemIndex(int list) const { return window_.itemIndex(dropDown(list)); }
    int kindIndex(int section) const
    {
        return section >= 1 && section <= 12 ? window_.kindsItemIndex(section) : -1;
    }

    // What the copy menu and Ctrl+C write: the result as shown, and its
    // number alone; both empty while there is no result.
    std::u16string resultText() const { return calc_.resultText(); }
    std::u16string resultNumber() const { return std::u16string(calc_.resultNumber()); }

private:
    void changed(DropDown which)
    {
        if (which == DropDown::E1)
            calc_.sComboBoxE1Change();
        else if (which == DropDown::E2)
            calc_.sComboBoxE2Change();
    }

    DomWindow window_;
    Calculator calc_;
    StoredAccordion accordion_;
};

} // namespace tarvik::web

EMSCRIPTEN_BINDINGS(tarvik)
{
    using tarvik::web::WebCalculator;
    emscripten::class_<WebCalculator>("Calculator")
        .constructor<emscripten::val>()
        .function("setDecimalSeparator", &WebCalculator::setDecimalSeparator)
        .function("headerClick", &WebCalculator::headerClick)
        .function("openSection", &WebCalculator::openSection)
        .function("kindClick", &WebCalculator::kindClick)
        .function("modeClick", &WebCalculator::modeClick)
        .function("itemPick", &WebCalculator::itemPick)
        .function("textEdit", &WebCalculator::textEdit)
        .function("calcClick", &WebCalculator::calcClick)
        .function("keyPress", &WebCalculator::keyPress)
        .function("editClick", &WebCalculator::editClick)
        .function("editExit", &WebCalculator::editExit)
        .function("itemIndex", &WebCalculator::itemIndex)
        .function("kindIndex", &WebCalculator::kindIndex)
        .function("resultText", &WebCalculator::resultText)
        .function("resultNumber", &WebCalculator::resultNumber);
}
