// The page's entry points. Each one records what the user did, runs the
// core handler, and answers with the error box's text ("" when there is
// none): no exception ever reaches JavaScript. The page names its keys and
// focus in the core's terms and does what the core answers.

#include "dom_window.h"
#include "web_estimate.h"

#include "catalogue/family.h"
#include "core/calculator.h"
#include "core/captions.h"
#include "core/errors.h"
#include "core/form_layout.h"
#include "core/keyboard.h"
#include "core/result_copy.h"
#include "core/size_text.h"
#include "core/stored_accordion.h"

#include <emscripten/bind.h>

namespace tarvik::web {
namespace {

using emscripten::val;

template <typename Handler> std::u16string guarded(Handler&& handler)
{
    try {
        handler();
        return {};
    } catch (...) {
        return errorBoxTextOfCurrentException();
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

bool isSection(int section)
{
    return section >= 1 && section <= form::sectionCount;
}

} // namespace

class WebCalculator {
public:
    // The separator stays unknown until a handler that reads or writes a
    // number needs it: the browser's number format costs tens of
    // milliseconds on first use, and the page asks for it when idle.
    // Until then the calculator holds a separator that no handler reads.
    explicit WebCalculator(val page) : page_(page), window_(std::move(page)), calc_(window_, u'.') {}

    // Reads the separator now (the page is idle), or again after the
    // browser's language changed.
    void readSeparator()
    {
        calc_.setDecimalSeparator(decimalSeparatorOf(page_.call<std::u16string>("localeDecimalPoint")));
        separatorKnown_ = true;
    }

    // Returns the open section, 1..12.
    int headerClick(int section)
    {
        return isSection(section) ? accordion_.headerClick(section) : accordion_.openSection();
    }
    int openSection() const { return accordion_.openSection(); }

    std::u16string kindClick(int section, int index)
    {
        return guarded([&] {
            window_.kindChosen(section, index);
            calc_.sListBoxClick(section);
        });
    }

    // A navigation key in a kinds list; -1 when the key moves nothing.
    int kindAfterKey(int section, ListKey key) const
    {
        const int now = kindIndex(section);
        const int next = tarvik::kindAfterKey(now, kindCount(section), key);
        return next == now ? -1 : next;
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

    // The user edited a drop-down list's text.
    std::u16string textEdit(int list, const std::u16string& text, SizeTextChange change)
    {
        return guarded([&] {
            const DropDown which = dropDown(list);
            const SizeTextEdit edit = editSizeText(window_, which, text, change);
            if (edit.completedFrom >= 0)
                window_.showCompletion(which, edit.shown, edit.completedFrom);
            window_.itemChosen(which, edit.item);
            changed(which);
        });
    }

    // The separator the estimate's texts are written with, read now if it
    // was not yet.
    int separator() { return withSeparator().decimalSeparator(); }

    // «В смету»: the calculation behind the shown result, as the core
    // computed it, whatever the controls show now; "" or why it was refused.
    std::u16string addToEstimate(WebEstimate& estimate) const
    {
        const std::optional<Calculation>& last = calc_.lastCalculation();
        return calc_.canAddToEstimate() && last ? estimate.add(*last) : std::u16string();
    }

    std::u16string calcClick()
    {
        return guarded([&] { withSeparator().sButtonCalcClick(); });
    }

    // What reaches the field in place of its selection; "" drops the key.
    std::u16string keyPress(int key)
    {
        std::u16string inserted;
        guarded([&] { inserted = withSeparator().sEditParamKeyPress(static_cast<char16_t>(key)).inserted; });
        return inserted;
    }

    // The field's text changed by the user.
    std::u16string editChange()
    {
        return guarded([&] { calc_.sEditParamChange(); });
    }

    std::u16string sizeListExit(int list)
    {
        return guarded([&] { calc_.sizeListExit(dropDown(list)); });
    }

    std::u16string editClick()
    {
        return guarded([&] { withSeparator().sEditParamClick(); });
    }

    std::u16string editExit(FocusLoss loss)
    {
        if (!leaveRuleRuns(loss))
            return {};
        return guarded([&] { withSeparator().sEditParamExit(); });
    }

    int itemIndex(int list) const { return window_.itemIndex(dropDown(list)); }
    int kindIndex(int section) const { return isSection(section) ? window_.kindsItemIndex(section) : -1; }

    // What the copy menu writes, and whether it offers it.
    std::u16string resultCopyText(ResultCopy copy) const
    {
        return std::u16string(tarvik::resultCopyText(calc_, copy));
    }
    bool resultCopyEnabled() const { return tarvik::resultCopyEnabled(calc_); }
    // What Ctrl+C copies with this focus: "" leaves the key to the browser.
    std::u16string ctrlCCopy(FocusedControl focus, bool otherTextSelected) const
    {
        return ctrlCCopiesResult(calc_, focus, otherTextSelected) ? resultCopyText(ResultCopy::Number)
                                                                  : std::u16string();
    }

private:
    Calculator& withSeparator()
    {
        if (!separatorKnown_)
            readSeparator();
        return calc_;
    }

    int kindCount(int section) const
    {
        return isSection(section)
                   ? static_cast<int>(
                         catalogue::families[static_cast<std::size_t>(section - 1)]->kinds.size())
                   : 0;
    }

    void changed(DropDown which)
    {
        if (which == DropDown::Element)
            calc_.sComboBoxElementChange();
        else if (which == DropDown::E1)
            calc_.sComboBoxE1Change();
        else if (which == DropDown::E2)
            calc_.sComboBoxE2Change();
    }

    val page_;
    DomWindow window_;
    Calculator calc_;
    StoredAccordion accordion_;
    bool separatorKnown_ = false;
};

} // namespace tarvik::web

EMSCRIPTEN_BINDINGS(tarvik)
{
    using namespace tarvik;
    using emscripten::val;
    using tarvik::web::WebCalculator;
    emscripten::constant("sectionCount", form::sectionCount);
    emscripten::constant("inputHintMilliseconds", inputHintMilliseconds);
    emscripten::enum_<ListKey>("ListKey")
        .value("ArrowUp", ListKey::Up)
        .value("ArrowDown", ListKey::Down)
        .value("Home", ListKey::Home)
        .value("End", ListKey::End);
    emscripten::enum_<SizeTextChange>("SizeTextChange")
        .value("Typed", SizeTextChange::Typed)
        .value("Whole", SizeTextChange::Whole)
        .value("Deleted", SizeTextChange::Deleted);
    emscripten::enum_<FieldCommand>("FieldCommand")
        .value("Copy", FieldCommand::Copy)
        .value("Cut", FieldCommand::Cut)
        .value("Paste", FieldCommand::Paste)
        .value("Undo", FieldCommand::Undo)
        .value("Redo", FieldCommand::Redo)
        .value("DeleteWordBackward", FieldCommand::DeleteWordBackward)
        .value("DeleteWordForward", FieldCommand::DeleteWordForward)
        .value("DeleteLineBackward", FieldCommand::DeleteLineBackward)
        .value("DeleteLineForward", FieldCommand::DeleteLineForward)
        .value("DeleteCompleteLine", FieldCommand::DeleteCompleteLine)
        .value("Enter", FieldCommand::Enter)
        .value("SelectAll", FieldCommand::SelectAll);
    emscripten::enum_<FocusLoss>("FocusLoss")
        .value("ToControl", FocusLoss::ToControl)
        .value("ToPopup", FocusLoss::ToPopup)
        .value("ToOtherWindow", FocusLoss::ToOtherWindow);
    emscripten::enum_<ResultCopy>("ResultCopy")
        .value("Number", ResultCopy::Number)
        .value("WithUnit", ResultCopy::WithUnit);
    emscripten::enum_<FocusedControl>("FocusedControl")
        .value("Button", FocusedControl::Button)
        .value("KindsList", FocusedControl::KindsList)
        .value("ModeButton", FocusedControl::ModeButton)
        .value("DropDownList", FocusedControl::DropDownList)
        .value("NumberField", FocusedControl::NumberField)
        .value("Other", FocusedControl::Other);
    emscripten::function("numberFieldIgnores", &numberFieldIgnores);
    emscripten::function("sizeListButtonName",
                         emscripten::optional_override(
                             [](const std::u16string& caption) { return sizeListButtonName(caption); }));
    emscripten::function("pastedNumberText", emscripten::optional_override([](const std::u16string& pasted) {
                             return pastedNumberText(pasted);
                         }));
    // [start, length] of the user's text quoted in an error box's text.
    emscripten::function("quotedInput", emscripten::optional_override([](const std::u16string& text) {
                             const QuotedSpan span = quotedInput(text);
                             val pair = val::array();
                             pair.call<void>("push", static_cast<int>(span.start));
                             pair.call<void>("push", static_cast<int>(span.length));
                             return pair;
                         }));

    emscripten::class_<WebCalculator>("Calculator")
        .constructor<emscripten::val>()
        .function("readSeparator", &WebCalculator::readSeparator)
        .function("headerClick", &WebCalculator::headerClick)
        .function("openSection", &WebCalculator::openSection)
        .function("kindClick", &WebCalculator::kindClick)
        .function("kindAfterKey", &WebCalculator::kindAfterKey)
        .function("modeClick", &WebCalculator::modeClick)
        .function("itemPick", &WebCalculator::itemPick)
        .function("textEdit", &WebCalculator::textEdit)
        .function("calcClick", &WebCalculator::calcClick)
        .function("separator", &WebCalculator::separator)
        .function("addToEstimate", &WebCalculator::addToEstimate)
        .function("keyPress", &WebCalculator::keyPress)
        .function("editChange", &WebCalculator::editChange)
        .function("sizeListExit", &WebCalculator::sizeListExit)
        .function("editClick", &WebCalculator::editClick)
        .function("editExit", &WebCalculator::editExit)
        .function("itemIndex", &WebCalculator::itemIndex)
        .function("kindIndex", &WebCalculator::kindIndex)
        .function("resultCopyText", &WebCalculator::resultCopyText)
        .function("resultCopyEnabled", &WebCalculator::resultCopyEnabled)
        .function("ctrlCCopy", &WebCalculator::ctrlCCopy);
}
