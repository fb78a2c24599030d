// The calculator's module: its entry points, which the page loads first.

#include "web/calculation_crossing.h"
#include "web/calculator/web_calculator.h"
#include "web/entry_table.h"

#include "calculator/form_layout.h"
#include "calculator/keyboard.h"
#include "calculator/result_copy.h"
#include "calculator/size_text.h"
#include "number/entry_rules.h"
#include "number/errors.h"
#include "text/captions.h"

#include <optional>
#include <stdexcept>

namespace tarvik::web {
namespace {

// One calculator per page.
std::optional<WebCalculator> calculator;

WebCalculator& calc()
{
    if (!calculator)
        throw std::logic_error("no calculator");
    return *calculator;
}

constexpr Method methods[] = {
    {"Calculator", "c0",
     [](const Args&) {
         calculator.emplace();
         return 0;
     }},

    {"Calculator", "c0",
     [](const Args&) {
         calculator.emplace();
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
    // The estimate's questions to the catalogue, which its module does not
    // carry (web/estimate/page_catalogue.cpp).
    {"catalogueFamily", "i", [](const Args& a) { return catalogueFamilyNumber(catalogueFamily(a.text(0))); }},
    {"catalogueUnitMass", "t",
     [](const Args& a) {
         const std::optional<double> unitMass = catalogueUnitMass(a.text(0), a.text(1), a.text(2));
         return gave(unitMass ? unitMassText(*unitMass) : std::u16string());
     }},

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
    {"Calculator.calculationToAdd", "l",
     [](const Args&) {
         giveAll(calc().calculationToAdd());
         return 0;
     }},
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

};

// The keys and commands the page names in the core's terms.
constexpr Constant constants[] = {
    {"sectionCount", form::allSections},
    {"inputHintMilliseconds", inputHintMilliseconds},
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

} // namespace

std::span<const Method> entryMethods()
{
    return methods;
}

std::span<const Constant> entryConstants()
{
    return constants;
}

} // namespace tarvik::web
