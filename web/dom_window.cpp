#include "dom_window.h"

#include "core/calculator.h"

namespace tarvik::web {
namespace {

using emscripten::val;

int id(DropDown list)
{
    return static_cast<int>(list);
}

std::u16string owned(std::u16string_view text)
{
    return std::u16string(text);
}

} // namespace

DomWindow::DomWindow(val page) : page_(std::move(page))
{
    kinds_.fill(-1);
}

void DomWindow::kindChosen(int section, int index)
{
    kinds_.at(static_cast<std::size_t>(section - 1)) = index;
}

void DomWindow::modeChosen(int index)
{
    mode_ = index == 0 || index == 1 ? index : -1;
}

void DomWindow::itemChosen(DropDown which, int index)
{
    list(which).index = index >= 0 && index < itemCount(which) ? index : -1;
}

void DomWindow::showCompletion(DropDown which, std::u16string_view shown, int completedFrom)
{
    page_.call<void>("showCompletion", id(which), owned(shown), completedFrom);
}

void DomWindow::setOuterWidth(int width)
{
    // The page lays itself out; of the width it needs only what it shows.
    if (Calculator::showsCalculationColumn(width))
        page_.call<void>("showCalculationColumn");
}

void DomWindow::setVisible(DropDown which, bool visible)
{
    page_.call<void>("setVisible", id(which), visible);
}

void DomWindow::clearItems(DropDown which)
{
    list(which).items.clear();
    list(which).index = -1;
    page_.call<void>("clearItems", id(which));
}

void DomWindow::appendItems(DropDown which, std::span<const std::u16string_view> texts)
{
    // One call for the whole table: the page splits it at the line breaks,
    // which no size text holds.
    std::u16string joined;
    for (auto t : texts) {
        list(which).items.emplace_back(t);
        if (!joined.empty())
            joined += u'\n';
        joined += t;
    }
    if (!texts.empty())
        page_.call<void>("appendItems", id(which), joined);
}

void DomWindow::setItemIndex(DropDown which, int index)
{
    itemChosen(which, index);
    page_.call<void>("showText", id(which), itemText(which, list(which).index));
}

int DomWindow::itemIndex(DropDown which) const
{
    return list(which).index;
}

int DomWindow::itemCount(DropDown which) const
{
    return static_cast<int>(list(which).items.size());
}

std::u16string DomWindow::itemText(DropDown which, int index) const
{
    const List& l = list(which);
    return index >= 0 && index < itemCount(which) ? l.items[static_cast<std::size_t>(index)] : u"";
}

void DomWindow::emptyPicker(DropDown which)
{
    list(which).items.clear();
    list(which).index = -1;
    page_.call<void>("clearItems", id(which));
    page_.call<void>("showText", id(which), std::u16string());
}

void DomWindow::setEnabled(DropDown which, bool enabled)
{
    page_.call<void>("setEnabled", id(which), enabled);
}

void DomWindow::setCaption(DropDown which, std::u16string_view caption)
{
    page_.call<void>("setCaption", id(which), owned(caption));
}

int DomWindow::kindsItemIndex(int section) const
{
    return kinds_.at(static_cast<std::size_t>(section - 1));
}

void DomWindow::clearKindsSelection(int section)
{
    if (kinds_.at(static_cast<std::size_t>(section - 1)) == -1)
        return;
    kinds_.at(static_cast<std::size_t>(section - 1)) = -1;
    page_.call<void>("clearKindsSelection", section);
}

int DomWindow::modeItemIndex() const
{
    return mode_;
}

void DomWindow::setModeItemText(int item, std::u16string_view text)
{
    page_.call<void>("setModeItemText", item, owned(text));
}

void DomWindow::setResultText(std::u16string_view text)
{
    page_.call<void>("setResultText", owned(text));
}

void DomWindow::setResultOutOfDate(bool outOfDate, std::u16string_view description)
{
    page_.call<void>("setResultOutOfDate", outOfDate, owned(description));
}

void DomWindow::setEstimateAddEnabled(bool enabled)
{
    page_.call<void>("setEstimateAddEnabled", enabled);
}

void DomWindow::setKindInUse(std::u16string_view text)
{
    page_.call<void>("setKindInUse", owned(text));
}

void DomWindow::showMissingInput(MissingInput which, std::u16string_view text)
{
    page_.call<void>("showMissingInput", static_cast<int>(which), owned(text));
}

std::u16string DomWindow::inputText() const
{
    return page_.call<std::u16string>("inputText");
}

void DomWindow::setInputText(std::u16string_view text)
{
    page_.call<void>("setInputText", owned(text));
}

int DomWindow::inputCaret() const
{
    return page_.call<int>("inputCaret");
}

int DomWindow::inputSelectionEnd() const
{
    return page_.call<int>("inputSelectionEnd");
}

void DomWindow::showInputHint(std::u16string_view reason)
{
    page_.call<void>("showInputHint", owned(reason));
}

void DomWindow::setInputCaption(std::u16string_view caption)
{
    page_.call<void>("setInputCaption", owned(caption));
}

void DomWindow::activateInputCaption()
{
    page_.call<void>("activateInputCaption");
}

} // namespace tarvik::web
