#include "calculator/calculator.h"

#include "catalogue/family.h"
#include "number/quantity.h"
#include "text/captions.h"

namespace tarvik {

bool Calculator::usesPickers() const
{
    return section_ > 0 && catalogue::families[static_cast<std::size_t>(section_ - 1)]->controls ==
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
    // Every selectable position has a unit mass; a position without one
    // would only ever give a wrong number, so it shows nothing instead.
    if (size < 0 || static_cast<std::size_t>(size) >= state_.unitMasses.size()) {
        const MissingInput list = !usesPickers()                        ? MissingInput::Element
                                  : window_.itemIndex(DropDown::E1) < 0 ? MissingInput::E1
                                                                        : MissingInput::E2;
        showMissing(list, caption(Caption::ChooseSize));
        return;
    }
    showMissing(MissingInput::None, {});

    const double unitMass = state_.unitMasses[static_cast<std::size_t>(size)];
    const std::u16string number = window_.inputText();
    const std::u16string result = calculatedText(number, separator_, unitMass, mode);
    const catalogue::Family& family = *catalogue::families[static_cast<std::size_t>(section_ - 1)];
    Calculation done;
    done.family = family.header;
    if (kind_ >= 0 && static_cast<std::size_t>(kind_) < family.kinds.size())
        done.kind = family.kinds[static_cast<std::size_t>(kind_)];
    done.size = window_.itemText(DropDown::Element, size);
    done.unitMass = unitMass;
    done.mode = mode;
    done.number = number;
    done.result = result;
    showResult(result, state_.activeUnitText);
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
