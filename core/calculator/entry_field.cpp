// Rules that hold the input field to a decimal number with one separator.

#include "calculator/calculator.h"

#include "number/number_text.h"
#include "text/captions.h"

namespace tarvik {

KeyVerdict Calculator::sEditParamKeyPress(char16_t key)
{
    KeyVerdict verdict = numberKeyVerdict(
        {window_.inputText(), window_.inputCaret(), window_.inputSelectionEnd()}, key, separator_);
    if (!verdict.reason.empty())
        window_.showInputHint(verdict.reason);
    return verdict;
}

void Calculator::sEditParamChange()
{
    markResultOutOfDate();
}

void Calculator::sEditParamClick()
{
    const std::u16string text = window_.inputText();
    if (text.empty())
        return;
    // A zero of any spelling ("0", "0,0", ",") is cleared so a number can be
    // typed at once.
    if (strToFloat(text, separator_).isZero()) {
        window_.setInputText(u"");
        markResultOutOfDate();
    }
}

void Calculator::sEditParamExit()
{
    if (window_.inputText().empty())
        window_.setInputText(caption(Caption::NumberFieldAtStart));
}

} // namespace tarvik
