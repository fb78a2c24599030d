#include "calculator/calculator.h"

#include "calculator/own_section.h"
#include "catalogue/family.h"
#include "catalogue/grades.h"
#include "catalogue/own_sections.h"
#include "number/exact_mass.h"
#include "number/quantity.h"
#include "text/captions.h"

#include <vector>

namespace tarvik {

using catalogue::metals;

bool Calculator::usesPickers() const
{
    return section_ > 0 && section_ != ownSection &&
           catalogue::families[static_cast<std::size_t>(section_ - 1)]->controls ==
               catalogue::SizeControls::TwoPickers;
}

void Calculator::sButtonCalcClick()
{
    clearResult();
    const int mode = window_.modeItemIndex();
    const int size = window_.itemIndex(DropDown::Element);
    for (DropDown list : {DropDown::Element, DropDown::E1, DropDown::E2})
        showItemText(list);
    // Nothing to compute says what is missing, rather than nothing at all.
    if (mode != 0 && mode != 1) {
        showMissing(MissingInput::Mode, caption(Caption::ChooseMode));
        return;
    }
    const catalogue::OwnKind* own = ownKind();
    // Every selectable position has a unit mass; a position without one
    // would only ever give a wrong number, so it shows nothing instead.
    if (!own && (size < 0 || static_cast<std::size_t>(size) >= state_.unitMasses.size())) {
        const MissingInput list = !usesPickers()                        ? MissingInput::Element
                                  : window_.itemIndex(DropDown::E1) < 0 ? MissingInput::E1
                                                                        : MissingInput::E2;
        showMissing(list, caption(Caption::ChooseSize));
        return;
    }
    showMissing(MissingInput::None, {});

    const bool graded = gradeChoiceOffered();
    const std::optional<int> density = graded ? densityInUse() : catalogue::steelDensity;
    if (!density) {
        material_->showDensityHint(caption(Caption::DensityOutOfRange));
        return;
    }
    Calculation done;
    double unitMass = 0;
    if (own) {
        std::vector<std::u16string> dimensions;
        for (std::size_t i = 0; i < own->dimensionCaptions.size(); ++i)
            dimensions.push_back(material_->dimensionText(static_cast<int>(i)));
        const OwnSectionMass mass = ownSectionMass(own->shape, dimensions, separator_, *density);
        if (!mass.ok()) {
            material_->showDimensionHint(mass.badField, caption(mass.reason), true);
            return;
        }
        material_->showDimensionHint(-1, {}, false);
        unitMass = doubleOfMillionths(mass.millionths);
        done.family = catalogue::ownSectionsHeader;
        done.kind = own->name;
        for (std::size_t i = 0; i < dimensions.size(); ++i)
            done.size += (i == 0 ? u"" : u"х") + dimensions[i];
    } else {
        const double catalogueMass = state_.unitMasses[static_cast<std::size_t>(size)];
        unitMass = graded ? scaledUnitMass(catalogueMass, *density) : catalogueMass;
        const catalogue::Family& family = *catalogue::families[static_cast<std::size_t>(section_ - 1)];
        done.family = family.header;
        if (kind_ >= 0 && static_cast<std::size_t>(kind_) < family.kinds.size())
            done.kind = family.kinds[static_cast<std::size_t>(kind_)];
        done.size = window_.itemText(DropDown::Element, size);
    }

    const std::u16string number = window_.inputText();
    const std::u16string result = calculatedText(number, separator_, unitMass, mode);
    done.unitMass = unitMass;
    done.mode = mode;
    done.number = number;
    done.result = result;
    done.density = static_cast<std::uint32_t>(*density);
    done.ownDensity = graded && material_ && !material_->densityText().empty();
    if (!done.ownDensity) {
        done.metal = metals[graded ? metal_ : 0].name;
        if (graded)
            done.grade = metals[metal_].grades[grade_].name;
    }
    done.ownSection = own != nullptr;
    done.perArea = perArea_;
    showResult(result, state_.activeUnitText);
    if (material_)
        material_->setBasisText(basisText(unitMass, perArea_));
    last_ = std::move(done);
    updateEstimateAdd();
}

bool Calculator::canAddToEstimate() const
{
    if (!last_ || resultOutOfDate_)
        return false;
    // Above zero: a digit other than 0 before any exponent.
    for (char16_t c : last_->result) {
        if (c == u'E' || c == u'e')
            break;
        if (c >= u'1' && c <= u'9')
            return true;
    }
    return false;
}

void Calculator::updateEstimateAdd()
{
    window_.setEstimateAddEnabled(canAddToEstimate());
}

void Calculator::sComboBoxElementChange()
{
    markResultOutOfDate();
    showMissing(MissingInput::None, {});
}

void Calculator::showMissing(MissingInput which, std::u16string_view text)
{
    // A notice goes once the user has acted on it.
    if (which == MissingInput::None && !missingShown_)
        return;
    missingShown_ = which != MissingInput::None;
    window_.showMissingInput(which, text);
}

void Calculator::sizeListExit(DropDown list)
{
    showItemText(list);
}

void Calculator::showItemText(DropDown list)
{
    const int index = window_.itemIndex(list);
    if (index >= 0)
        window_.setItemIndex(list, index);
}

void Calculator::showResult(std::u16string_view number, std::u16string_view unit)
{
    resultText_ = number;
    resultNumberLength_ = number.size();
    resultText_ += u' ';
    resultText_ += unit;
    resultOutOfDate_ = false;
    window_.setResultText(resultText_);
}

void Calculator::clearResult()
{
    resultText_.clear();
    resultNumberLength_ = 0;
    resultOutOfDate_ = false;
    window_.setResultText(u"");
    if (material_)
        material_->setBasisText({});
    if (last_) {
        last_.reset();
        updateEstimateAdd();
    }
}

void Calculator::markResultOutOfDate()
{
    if (resultText_.empty() || resultOutOfDate_)
        return;
    resultOutOfDate_ = true;
    window_.setResultOutOfDate(true, caption(Caption::ResultOutOfDate));
    updateEstimateAdd();
}

} // namespace tarvik
