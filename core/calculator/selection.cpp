// The common selection sequence that every product-kind choice runs, and the
// mode handler.

#include "calculator/calculator.h"

#include "catalogue/family.h"
#include "catalogue/own_sections.h"
#include "text/text_sets.h"

namespace tarvik {
namespace {

using catalogue::Family;
using catalogue::KindTable;
using catalogue::SizeCaptionStep;

// The table that a kinds-list index loads; none for −1 or an unknown index.
const KindTable* tableOf(const Family& family, int kind)
{
    if (kind < 0 || static_cast<std::size_t>(kind) >= family.tables.size())
        return nullptr;
    return &family.tables[static_cast<std::size_t>(kind)];
}

} // namespace

void SetUnitMasses(SelectionState& state, std::span<const double> unitMasses)
{
    state.unitMasses.assign(unitMasses.begin(), unitMasses.end());
}

char16_t decimalSeparatorOf(std::u16string_view localeDecimalPoint)
{
    return localeDecimalPoint.empty() ? u'.' : localeDecimalPoint.front();
}

Calculator::Calculator(Window& window, char16_t decimalSeparator)
    : window_(window), separator_(decimalSeparator)
{
}

void Calculator::AddItems(DropDown list, std::span<const std::u16string_view> texts)
{
    window_.appendItems(list, texts);
}

void Calculator::sListBoxClick(int section)
{
    const bool own = section == ownSection;
    if (own && !material_)
        return;
    const int kind = window_.kindsItemIndex(section);
    // Only the chosen kind stays highlighted: a kind still highlighted in a
    // closed section would look like the one in use when reopened.
    const int sections = material_ ? ownSection : static_cast<int>(catalogue::families.size());
    for (int other = 1; other <= sections; ++other) {
        if (other != section)
            window_.clearKindsSelection(other);
    }

    const Family* family = own ? nullptr : catalogue::families.at(static_cast<std::size_t>(section - 1));
    const bool known = kind >= 0 && static_cast<std::size_t>(kind) <
                                        (own ? catalogue::ownKinds.size() : family->kinds.size());
    section_ = section;
    kind_ = kind;
    showMissing(MissingInput::None, {});
    window_.setOuterWidth(wideOuterWidth);
    std::u16string_view kindName;
    if (known)
        kindName = own ? catalogue::ownKinds[static_cast<std::size_t>(kind)].name
                       : family->kinds[static_cast<std::size_t>(kind)];
    window_.setKindInUse(kindName);
    const bool area =
        own ? known && catalogue::ownKinds[static_cast<std::size_t>(kind)].textSet == catalogue::TextSet::Area
            : family->textSet == catalogue::TextSet::Area;
    perArea_ = area;
    const TextSet& texts = area ? areaTexts : lengthTexts;
    state_.massUnitText = texts.massUnit;
    state_.quantityUnitText = texts.quantityUnit;
    state_.quantityInputCaption = texts.quantityInputCaption;
    state_.massInputCaption = texts.massInputCaption;
    applyMode();
    window_.setModeItemText(0, texts.modeItem0);
    window_.setModeItemText(1, texts.modeItem1);
    showGradeChoice();

    if (own) {
        runOwnKind();
        return;
    }
    showNoDimensions();
    if (family->controls == catalogue::SizeControls::TwoPickers)
        runTwoPickerForm(*family, kind);
    else
        runSingleListForm(*family, kind);
}

void Calculator::runSingleListForm(const Family& family, int kind)
{
    if (family.sizeCaptionStep == SizeCaptionStep::BeforeResultCleared)
        window_.setCaption(DropDown::Element, family.sizeCaption);
    clearResult();
    window_.setVisible(DropDown::E1, false);
    window_.setVisible(DropDown::E2, false);
    window_.setVisible(DropDown::Element, true);
    window_.setItemIndex(DropDown::Element, -1);
    window_.clearItems(DropDown::Element);
    if (family.sizeCaptionStep == SizeCaptionStep::AfterListEmptied)
        window_.setCaption(DropDown::Element, family.sizeCaption);

    const KindTable* table = tableOf(family, kind);
    if (!table)
        return;
    if (family.sizeCaptionStep == SizeCaptionStep::PerKind)
        window_.setCaption(DropDown::Element, table->sizeCaption);
    AddItems(DropDown::Element, table->sizes);
    SetUnitMasses(state_, table->unitMasses);
}

void Calculator::runTwoPickerForm(const Family& family, int kind)
{
    clearResult();
    window_.setVisible(DropDown::E1, true);
    window_.setItemIndex(DropDown::E1, -1);
    window_.clearItems(DropDown::E1);
    window_.setCaption(DropDown::E1, family.firstLevelCaption);
    window_.setVisible(DropDown::E2, true);
    window_.setItemIndex(DropDown::E2, -1);
    window_.clearItems(DropDown::E2);
    window_.setEnabled(DropDown::E2, false);
    window_.setCaption(DropDown::E2, family.secondLevelCaption);
    window_.setVisible(DropDown::Element, false);
    window_.clearItems(DropDown::Element);
    window_.setItemIndex(DropDown::Element, -1);

    const KindTable* table = tableOf(family, kind);
    if (table) {
        AddItems(DropDown::Element, table->sizes);
        if (!table->firstLevel.empty())
            AddItems(DropDown::E1, table->firstLevel);
        SetUnitMasses(state_, table->unitMasses);
    }
    // Families with a first-level list of their own never derive one; over
    // an empty size list the derivation appends nothing anyway.
    if (!table || table->firstLevel.empty())
        FillFirstLevelPicker();
}

void Calculator::sRadioGroupClick()
{
    applyMode();
    markResultOutOfDate();
    showMissing(MissingInput::None, {});
}

void Calculator::applyMode()
{
    switch (window_.modeItemIndex()) {
    case 0:
        state_.activeUnitText = state_.massUnitText;
        window_.setInputCaption(state_.quantityInputCaption);
        window_.activateInputCaption();
        break;
    case 1:
        state_.activeUnitText = state_.quantityUnitText;
        window_.setInputCaption(state_.massInputCaption);
        window_.activateInputCaption();
        break;
    default:
        break;
    }
}

} // namespace tarvik
