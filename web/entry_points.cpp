// The page's entry points: one table of the core's methods, constants and
// key names, which web/core_api.js turns into the page's classes. A method
// reads its arguments, runs, and gives its answer to the page; its kind says
// how the page reads the answer: "i" a number, "b" a boolean, "t" a text,
// "l" a list, "P" and "T" a list in pairs and triples, "n" nothing; "c"
// makes the object. A digit after the kind names the role of an object
// argument: 0 the page's window operations, 1 the browser's storage.

#include "web/bridge.h"
#include "web/calculator/web_calculator.h"
#include "web/estimate/web_estimate.h"

#include "calculator/form_layout.h"
#include "calculator/keyboard.h"
#include "calculator/result_copy.h"
#include "calculator/size_text.h"
#include "estimate/estimate_library.h"
#include "number/errors.h"
#include "text/captions.h"
#include "text/error_box.h"

#include <emscripten/emscripten.h>

#include <optional>
#include <stdexcept>

namespace tarvik::web {
namespace {

using Args = Arguments;

// One calculator and one estimate per page.
std::optional<WebCalculator> calculator;
std::optional<WebEstimate> estimateBehindPage;

WebCalculator& calc()
{
    if (!calculator)
        throw std::logic_error("no calculator");
    return *calculator;
}

WebEstimate& est()
{
    if (!estimateBehindPage)
        throw std::logic_error("no estimate");
    return *estimateBehindPage;
}

void giveAll(const std::vector<std::u16string>& texts)
{
    for (const std::u16string& text : texts)
        give(text);
}

int gave(std::u16string_view text)
{
    give(text);
    return 0;
}

struct Method {
    const char* name;
    const char* kind;
    int (*run)(const Args&);
};

// Constructors first: their classes take the methods that follow.
constexpr Method methods[] = {
    {"Calculator", "c0",
     [](const Args&) {
         calculator.emplace();
         return 0;
     }},
    {"Estimate", "c1",
     [](const Args& a) {
         estimateBehindPage.emplace(a.integer(0));
         return 0;
     }},

    {"numberFieldIgnores", "b",
     [](const Args& a) { return int(numberFieldIgnores(FieldCommand(a.integer(0)))); }},
    {"sizeListButtonName", "t", [](const Args& a) { return gave(sizeListButtonName(a.text(0))); }},
    {"pastedNumberText", "t", [](const Args& a) { return gave(pastedNumberText(a.text(0))); }},
    // The start and length of the user's text quoted in an error box's text.
    {"quotedInput", "l",
     [](const Args& a) {
         const QuotedSpan span = quotedInput(a.text(0));
         give(int(span.start));
         give(int(span.length));
         return 0;
     }},
    {"cellDecimals", "i", [](const Args& a) { return cellDecimals(a.integer(0)); }},
    {"estimateShownLast", "b1",
     [](const Args&) { return int(EstimateLibrary::windowWasOpen(BrowserStorage())); }},

    {"Calculator.readSeparator", "n",
     [](const Args&) {
         calc().readSeparator();
         return 0;
     }},
    {"Calculator.headerClick", "i", [](const Args& a) { return calc().headerClick(a.integer(0)); }},
    {"Calculator.openSection", "i", [](const Args&) { return calc().openSection(); }},
    {"Calculator.kindClick", "t",
     [](const Args& a) { return gave(calc().kindClick(a.integer(0), a.integer(1))); }},
    {"Calculator.kindAfterKey", "i",
     [](const Args& a) { return calc().kindAfterKey(a.integer(0), ListKey(a.integer(1))); }},
    {"Calculator.modeClick", "t", [](const Args& a) { return gave(calc().modeClick(a.integer(0))); }},
    {"Calculator.itemPick", "t",
     [](const Args& a) { return gave(calc().itemPick(a.integer(0), a.integer(1))); }},
    {"Calculator.textEdit", "t",
     [](const Args& a) {
         return gave(calc().textEdit(a.integer(0), a.text(1), SizeTextChange(a.integer(2))));
     }},
    {"Calculator.calcClick", "t", [](const Args&) { return gave(calc().calcClick()); }},
    {"Calculator.separator", "i", [](const Args&) { return calc().separator(); }},
    {"Calculator.addToEstimate", "t", [](const Args&) { return gave(calc().addToEstimate(est())); }},
    {"Calculator.keyPress", "t", [](const Args& a) { return gave(calc().keyPress(a.integer(0))); }},
    {"Calculator.optionPick", "t",
     [](const Args& a) { return gave(calc().optionPick(a.integer(0), a.integer(1))); }},
    {"Calculator.fieldKey", "t",
     [](const Args& a) { return gave(calc().fieldKey(a.integer(0), a.integer(1))); }},
    {"Calculator.fieldChange", "t", [](const Args& a) { return gave(calc().fieldChange(a.integer(0))); }},
    {"Calculator.materialSetting", "t", [](const Args&) { return gave(calc().materialSetting()); }},
    {"Calculator.restoreMaterial", "t",
     [](const Args& a) { return gave(calc().restoreMaterial(a.text(0))); }},
    {"Calculator.editChange", "t", [](const Args&) { return gave(calc().editChange()); }},
    {"Calculator.sizeListExit", "t", [](const Args& a) { return gave(calc().sizeListExit(a.integer(0))); }},
    {"Calculator.editClick", "t", [](const Args&) { return gave(calc().editClick()); }},
    {"Calculator.editExit", "t",
     [](const Args& a) { return gave(calc().editExit(FocusLoss(a.integer(0)))); }},
    {"Calculator.itemIndex", "i", [](const Args& a) { return calc().itemIndex(a.integer(0)); }},
    {"Calculator.kindIndex", "i", [](const Args& a) { return calc().kindIndex(a.integer(0)); }},
    {"Calculator.resultCopyText", "t",
     [](const Args& a) { return gave(calc().resultCopyText(ResultCopy(a.integer(0)))); }},
    {"Calculator.resultCopyEnabled", "b", [](const Args&) { return int(calc().resultCopyEnabled()); }},
    {"Calculator.ctrlCCopy", "t",
     [](const Args& a) { return gave(calc().ctrlCCopy(FocusedControl(a.integer(0)), a.integer(1) != 0)); }},

    {"Estimate.size", "i", [](const Args&) { return est().size(); }},
    {"Estimate.header", "l",
     [](const Args&) {
         giveAll(est().header());
         return 0;
     }},
    {"Estimate.row", "l",
     [](const Args& a) {
         giveAll(est().row(a.integer(0)));
         return 0;
     }},
    {"Estimate.id", "t", [](const Args& a) { return gave(est().id(a.integer(0))); }},
    {"Estimate.rowOf", "i", [](const Args& a) { return est().rowOf(a.text(0)); }},
    {"Estimate.notes", "t", [](const Args& a) { return gave(est().notes(a.integer(0))); }},
    {"Estimate.totals", "T",
     [](const Args&) {
         giveAll(est().totals());
         return 0;
     }},
    {"Estimate.edit", "t",
     [](const Args& a) { return gave(est().edit(a.text(0), a.integer(1), a.text(2))); }},
    {"Estimate.cellKey", "l",
     [](const Args& a) {
         const KeyVerdict verdict =
             est().cellKey(a.integer(0), a.text(1), a.integer(2), a.integer(3), a.integer(4));
         give(verdict.inserted);
         give(verdict.reason);
         return 0;
     }},
    {"Estimate.remove", "b", [](const Args& a) { return int(est().remove(a.text(0))); }},
    {"Estimate.clear", "n",
     [](const Args&) {
         est().clear();
         return 0;
     }},
    {"Estimate.undo", "b", [](const Args&) { return int(est().undo()); }},
    {"Estimate.vatRate", "t", [](const Args&) { return gave(est().vatRate()); }},
    {"Estimate.setVatRate", "t", [](const Args& a) { return gave(est().setVatRate(a.text(0))); }},
    {"Estimate.pricesIncludeVat", "b", [](const Args&) { return int(est().pricesIncludeVat()); }},
    {"Estimate.setPricesIncludeVat", "n",
     [](const Args& a) {
         est().setPricesIncludeVat(a.integer(0) != 0);
         return 0;
     }},
    {"Estimate.csv", "t",
     [](const Args&) {
         giveBytes(est().csv());
         return 0;
     }},
    {"Estimate.csvName", "t",
     [](const Args& a) { return gave(est().csvName(a.integer(0), a.integer(1), a.integer(2))); }},
    {"Estimate.tabText", "t", [](const Args&) { return gave(est().tabText()); }},
    {"Estimate.title", "t", [](const Args&) { return gave(est().title()); }},
    {"Estimate.printedDate", "t",
     [](const Args& a) { return gave(est().printedDate(a.integer(0), a.integer(1), a.integer(2))); }},
    {"Estimate.entries", "P",
     [](const Args&) {
         giveAll(est().entries());
         return 0;
     }},
    {"Estimate.key", "t", [](const Args&) { return gave(est().key()); }},
    {"Estimate.name", "t", [](const Args&) { return gave(est().name()); }},
    {"Estimate.create", "n",
     [](const Args&) {
         est().create();
         return 0;
     }},
    {"Estimate.open", "b", [](const Args& a) { return int(est().open(a.text(0))); }},
    {"Estimate.rename", "n",
     [](const Args& a) {
         est().rename(a.text(0));
         return 0;
     }},
    {"Estimate.duplicate", "n",
     [](const Args&) {
         est().duplicate();
         return 0;
     }},
    {"Estimate.removeEstimate", "n",
     [](const Args& a) {
         est().removeEstimate(a.text(0));
         return 0;
     }},
    {"Estimate.undoRemove", "b", [](const Args&) { return int(est().undoRemove()); }},
    {"Estimate.save", "b", [](const Args&) { return int(est().save()); }},
    {"Estimate.refresh", "b", [](const Args&) { return int(est().refresh()); }},
    {"Estimate.messages", "l",
     [](const Args&) {
         giveAll(est().messages());
         return 0;
     }},
    {"Estimate.setShown", "n",
     [](const Args& a) {
         est().setShown(a.integer(0) != 0);
         return 0;
     }},
};

struct Constant {
    const char* name;
    int value;
};

// The keys and commands the page names in the core's terms.
constexpr Constant constants[] = {
    {"sectionCount", form::allSections},
    {"inputHintMilliseconds", inputHintMilliseconds},
    {"vatRateDecimals", vatRateDecimals},
    {"ListKey.ArrowUp", int(ListKey::Up)},
    {"ListKey.ArrowDown", int(ListKey::Down)},
    {"ListKey.Home", int(ListKey::Home)},
    {"ListKey.End", int(ListKey::End)},
    {"SizeTextChange.Typed", int(SizeTextChange::Typed)},
    {"SizeTextChange.Whole", int(SizeTextChange::Whole)},
    {"SizeTextChange.Deleted", int(SizeTextChange::Deleted)},
    {"FieldCommand.Copy", int(FieldCommand::Copy)},
    {"FieldCommand.Cut", int(FieldCommand::Cut)},
    {"FieldCommand.Paste", int(FieldCommand::Paste)},
    {"FieldCommand.Undo", int(FieldCommand::Undo)},
    {"FieldCommand.Redo", int(FieldCommand::Redo)},
    {"FieldCommand.DeleteWordBackward", int(FieldCommand::DeleteWordBackward)},
    {"FieldCommand.DeleteWordForward", int(FieldCommand::DeleteWordForward)},
    {"FieldCommand.DeleteLineBackward", int(FieldCommand::DeleteLineBackward)},
    {"FieldCommand.DeleteLineForward", int(FieldCommand::DeleteLineForward)},
    {"FieldCommand.DeleteCompleteLine", int(FieldCommand::DeleteCompleteLine)},
    {"FieldCommand.Enter", int(FieldCommand::Enter)},
    {"FieldCommand.SelectAll", int(FieldCommand::SelectAll)},
    {"FocusLoss.ToControl", int(FocusLoss::ToControl)},
    {"FocusLoss.ToPopup", int(FocusLoss::ToPopup)},
    {"FocusLoss.ToOtherWindow", int(FocusLoss::ToOtherWindow)},
    {"ResultCopy.Number", int(ResultCopy::Number)},
    {"ResultCopy.WithUnit", int(ResultCopy::WithUnit)},
    {"FocusedControl.Button", int(FocusedControl::Button)},
    {"FocusedControl.KindsList", int(FocusedControl::KindsList)},
    {"FocusedControl.ModeButton", int(FocusedControl::ModeButton)},
    {"FocusedControl.DropDownList", int(FocusedControl::DropDownList)},
    {"FocusedControl.NumberField", int(FocusedControl::NumberField)},
    {"FocusedControl.Other", int(FocusedControl::Other)},
};

std::u16string ascii(const char* text)
{
    std::u16string out;
    for (; *text; ++text)
        out += static_cast<char16_t>(*text);
    return out;
}

} // namespace
} // namespace tarvik::web

using namespace tarvik::web;

// The table: each method's name and kind, then each constant's name and value.
extern "C" EMSCRIPTEN_KEEPALIVE void tarvik_describe()
{
    for (const Method& method : methods) {
        give(ascii(method.name));
        give(ascii(method.kind));
    }
    for (const Constant& constant : constants) {
        give(ascii(constant.name));
        give(constant.value);
    }
}

// Runs method `index` of the table with the arguments set. A method guards
// its own handlers; this guard is the last one, for what escapes them (no
// memory left): the page shows its words as it shows an error box's text.
extern "C" EMSCRIPTEN_KEEPALIVE int tarvik_call(int index)
{
    try {
        if (index < 0 || index >= static_cast<int>(std::size(methods)))
            throw std::out_of_range("no such method");
        // Copied first: a window operation may call back into the core,
        // which sets arguments of its own.
        const Arguments arguments = Arguments::current();
        return methods[index].run(arguments);
    } catch (...) {
        give(tarvik::errorBoxTextOfCurrentException());
        return 0;
    }
}
