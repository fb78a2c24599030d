#include "web/calculator/dom_window.h"

#include "web/bridge.h"

#include "calculator/calculator.h"

namespace tarvik::web {
namespace {

int id(DropDown list)
{
    return static_cast<int>(list);
}

PageCall page(const char* method)
{
    return PageCall(Partner::Page, method);
}

} // namespace

DomWindow::DomWindow()
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
    page("showCompletion").arg(id(which)).arg(shown).arg(completedFrom).run();
}

void DomWindow::setOuterWidth(int width)
{
    // The page lays itself out; of the width it needs only what it shows.
    if (Calculator::showsCalculationColumn(width))
        page("showCalculationColumn").run();
}

void DomWindow::setVisible(DropDown which, bool visible)
{
    page("setVisible").arg(id(which)).arg(visible).run();
}

void DomWindow::clearItems(DropDown which)
{
    list(which).items.clear();
    list(which).index = -1;
    page("clearItems").arg(id(which)).run();
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
        page("appendItems").arg(id(which)).arg(joined).run();
}

void DomWindow::setItemIndex(DropDown which, int index)
{
    itemChosen(which, index);
    page("showText").arg(id(which)).arg(itemText(which, list(which).index)).run();
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
    page("clearItems").arg(id(which)).run();
    page("showText").arg(id(which)).arg(std::u16string()).run();
}

void DomWindow::setEnabled(DropDown which, bool enabled)
{
    page("setEnabled").arg(id(which)).arg(enabled).run();
}

void DomWindow::setCaption(DropDown which, std::u16string_view caption)
{
    page("setCaption").arg(id(which)).arg(caption).run();
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
    page("clearKindsSelection").arg(section).run();
}

int DomWindow::modeItemIndex() const
{
    return mode_;
}

void DomWindow::setModeItemText(int item, std::u16string_view text)
{
    page("setModeItemText").arg(item).arg(text).run();
}

void DomWindow::setResultText(std::u16string_view text)
{
    page("setResultText").arg(text).run();
}

void DomWindow::setResultOutOfDate(bool outOfDate, std::u16string_view description)
{
    page("setResultOutOfDate").arg(outOfDate).arg(description).run();
}

void DomWindow::setEstimateAddEnabled(bool enabled)
{
    page("setEstimateAddEnabled").arg(enabled).run();
}

void DomWindow::setKindInUse(std::u16string_view text)
{
    page("setKindInUse").arg(text).run();
}

void DomWindow::showMissingInput(MissingInput which, std::u16string_view text)
{
    page("showMissingInput").arg(static_cast<int>(which)).arg(text).run();
}

std::u16string DomWindow::inputText() const
{
    return page("inputText").text();
}

void DomWindow::setInputText(std::u16string_view text)
{
    page("setInputText").arg(text).run();
}

int DomWindow::inputCaret() const
{
    return page("inputCaret").run();
}

int DomWindow::inputSelectionEnd() const
{
    return page("inputSelectionEnd").run();
}

void DomWindow::showInputHint(std::u16string_view reason)
{
    page("showInputHint").arg(reason).run();
}

void DomWindow::setInputCaption(std::u16string_view caption)
{
    page("setInputCaption").arg(caption).run();
}

void DomWindow::activateInputCaption()
{
    page("activateInputCaption").run();
}

} // namespace tarvik::web
