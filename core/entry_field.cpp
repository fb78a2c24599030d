// Rules that hold the input field to a decimal number with one separator.

#include "calculator.h"

#include "captions.h"
#include "number_text.h"

namespace tarvik {

char16_t Calculator::sEditParamKeyPress(char16_t key) const
{
    constexpr char16_t backspace = 8;
    if (key == backspace)
        return key;

    const std::u16string text = window_.inputText();
    const int length = static_cast<int>(text.size());
    const auto found = text.find(separator_);
    // Position of the first separator counted from 1; 0 when there is none.
    const int separatorAt = found == std::u16string::npos ? 0 : static_cast<int>(found) + 1;
    const int caret = window_.inputCaret();

    // Both keys type the separator that conversion and formatting use, so a
    // typed fraction always converts, whatever the locale.
    if (key == u',' || key == u'.' || key == separator_)
        return separatorAt == 0 && caret > 0 && length > 0 ? separator_ : 0;
    if (key >= u'0' && key <= u'9') {
        const bool fractionFull = separatorAt > 0 && length - separatorAt > FractionDigitLimit;
        return fractionFull && caret >= separatorAt ? 0 : key;
    }
    return 0;
}

void Calculator::sEditParamClick()
{
    const std::u16string text = window_.inputText();
    if (text.empty())
        return;
    // A zero of any spelling ("0", "0,0", ",") is cleared so a number can be
    // typed at once.
    if (strToFloat(text, separator_).isZero())
        window_.setInputText(u"");
}

void Calculator::sEditParamExit()
{
    if (window_.inputText().empty())
        window_.setInputText(caption(Caption::NumberFieldAtStart));
}

} // namespace tarvik
