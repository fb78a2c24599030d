#include "web/calculator/web_calculator.h"

#include "web/bridge.h"
#include "web/calculation_crossing.h"

#include "calculator/form_layout.h"
#include "catalogue/family.h"
#include "catalogue/own_sections.h"
#include "text/error_box.h"

namespace tarvik::web {
namespace {

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
    return section >= 1 && section <= form::allSections;
}

} // namespace

WebCalculator::WebCalculator() : calc_(window_, u'.')
{
    material_.showStandards();
    calc_.attachMaterial(material_);
}

std::u16string WebCalculator::optionPick(int list, int index)
{
    return guarded([&] {
        material_.picked(list, index);
        if (list == 0)
            calc_.metalChange();
        else if (list == 1)
            calc_.gradeChange();
        else
            withSeparator().radiusStandardChange();
    });
}

std::u16string WebCalculator::fieldKey(int field, int key)
{
    std::u16string inserted;
    guarded([&] {
        const auto k = static_cast<char16_t>(key);
        inserted = field == 0 ? calc_.densityKeyPress(k).inserted
                              : withSeparator().dimensionKeyPress(field - 1, k).inserted;
    });
    return inserted;
}

std::u16string WebCalculator::fieldChange(int field)
{
    return guarded([&] {
        if (field == 0)
            calc_.densityChange();
        else
            withSeparator().dimensionChange(field - 1);
    });
}

std::u16string WebCalculator::restoreMaterial(const std::u16string& setting)
{
    return guarded([&] { calc_.restoreMaterial(setting); });
}

void WebCalculator::readSeparator()
{
    calc_.setDecimalSeparator(decimalSeparatorOf(PageCall(Partner::Page, "localeDecimalPoint").text()));
    separatorKnown_ = true;
}

int WebCalculator::headerClick(int section)
{
    return isSection(section) ? accordion_.headerClick(section) : accordion_.openSection();
}

std::u16string WebCalculator::kindClick(int section, int index)
{
    return guarded([&] {
        if (!isSection(section))
            return;
        window_.kindChosen(section, index);
        calc_.sListBoxClick(section);
    });
}

int WebCalculator::kindAfterKey(int section, ListKey key) const
{
    const int now = kindIndex(section);
    const int next = tarvik::kindAfterKey(now, kindCount(section), key);
    return next == now ? -1 : next;
}

std::u16string WebCalculator::modeClick(int index)
{
    return guarded([&] {
        window_.modeChosen(index);
        calc_.sRadioGroupClick();
    });
}

std::u16string WebCalculator::itemPick(int list, int index)
{
    return guarded([&] {
        window_.setItemIndex(dropDown(list), index);
        changed(dropDown(list));
    });
}

std::u16string WebCalculator::textEdit(int list, const std::u16string& text, SizeTextChange change)
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

std::vector<std::u16string> WebCalculator::calculationToAdd() const
{
    const std::optional<Calculation>& last = calc_.lastCalculation();
    if (!calc_.canAddToEstimate() || !last)
        return {};
    return calculationTexts(*last);
}

std::u16string WebCalculator::calcClick()
{
    return guarded([&] { withSeparator().sButtonCalcClick(); });
}

std::u16string WebCalculator::keyPress(int key)
{
    std::u16string inserted;
    guarded([&] { inserted = withSeparator().sEditParamKeyPress(static_cast<char16_t>(key)).inserted; });
    return inserted;
}

std::u16string WebCalculator::editChange()
{
    return guarded([&] { calc_.sEditParamChange(); });
}

std::u16string WebCalculator::sizeListExit(int list)
{
    return guarded([&] { calc_.sizeListExit(dropDown(list)); });
}

std::u16string WebCalculator::editClick()
{
    return guarded([&] { withSeparator().sEditParamClick(); });
}

std::u16string WebCalculator::editExit(FocusLoss loss)
{
    if (!leaveRuleRuns(loss))
        return {};
    return guarded([&] { withSeparator().sEditParamExit(); });
}

int WebCalculator::itemIndex(int list) const
{
    return window_.itemIndex(dropDown(list));
}

int WebCalculator::kindIndex(int section) const
{
    return isSection(section) ? window_.kindsItemIndex(section) : -1;
}

std::u16string WebCalculator::resultCopyText(ResultCopy copy) const
{
    return std::u16string(tarvik::resultCopyText(calc_, copy));
}

bool WebCalculator::resultCopyEnabled() const
{
    return tarvik::resultCopyEnabled(calc_);
}

std::u16string WebCalculator::ctrlCCopy(FocusedControl focus, bool otherTextSelected) const
{
    return ctrlCCopiesResult(calc_, focus, otherTextSelected) ? resultCopyText(ResultCopy::Number)
                                                              : std::u16string();
}

Calculator& WebCalculator::withSeparator()
{
    if (!separatorKnown_)
        readSeparator();
    return calc_;
}

int WebCalculator::kindCount(int section) const
{
    if (section == form::ownSection)
        return static_cast<int>(catalogue::ownKinds.size());
    return isSection(section)
               ? static_cast<int>(catalogue::families[static_cast<std::size_t>(section - 1)]->kinds.size())
               : 0;
}

void WebCalculator::changed(DropDown which)
{
    if (which == DropDown::Element)
        calc_.sComboBoxElementChange();
    else if (which == DropDown::E1)
        calc_.sComboBoxE1Change();
    else if (which == DropDown::E2)
        calc_.sComboBoxE2Change();
}

} // namespace tarvik::web
