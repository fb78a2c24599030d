#pragma once

// The window operations over the page's DOM. Item texts and every selected
// position are kept here, as the handlers' own values; the page only shows
// them. What the user types lives in the page and is read from it.

#include "calculator/form_layout.h"
#include "calculator/window.h"

#include <array>
#include <string>
#include <vector>

namespace tarvik::web {

class DomWindow : public Window {
public:
    // The page's `page` object carries out the display side of each
    // operation (see tarvik.mjs).
    DomWindow();

    // What the user did, recorded before the handler runs.
    void kindChosen(int section, int index);
    void modeChosen(int index);
    void itemChosen(DropDown list, int index);
    // Shows a completed text, selected from `completedFrom` on.
    void showCompletion(DropDown list, std::u16string_view shown, int completedFrom);

    void setOuterWidth(int width) override;
    void setVisible(DropDown list, bool visible) override;
    void clearItems(DropDown list) override;
    void appendItems(DropDown list, std::span<const std::u16string_view> texts) override;
    void setItemIndex(DropDown list, int index) override;
    int itemIndex(DropDown list) const override;
    int itemCount(DropDown list) const override;
    std::u16string itemText(DropDown list, int index) const override;
    void emptyPicker(DropDown list) override;
    void setEnabled(DropDown list, bool enabled) override;
    void setCaption(DropDown list, std::u16string_view caption) override;
    int kindsItemIndex(int section) const override;
    void clearKindsSelection(int section) override;
    int modeItemIndex() const override;
    void setModeItemText(int item, std::u16string_view text) override;
    void setResultText(std::u16string_view text) override;
    void setResultOutOfDate(bool outOfDate, std::u16string_view description) override;
    void setEstimateAddEnabled(bool enabled) override;
    void setKindInUse(std::u16string_view text) override;
    void showMissingInput(MissingInput which, std::u16string_view text) override;
    std::u16string inputText() const override;
    void setInputText(std::u16string_view text) override;
    int inputCaret() const override;
    int inputSelectionEnd() const override;
    void showInputHint(std::u16string_view reason) override;
    void setInputCaption(std::u16string_view caption) override;
    void activateInputCaption() override;

private:
    struct List {
        std::vector<std::u16string> items;
        int index = -1;
    };
    List& list(DropDown which) { return lists_[static_cast<std::size_t>(which)]; }
    const List& list(DropDown which) const { return lists_[static_cast<std::size_t>(which)]; }

    std::array<List, 3> lists_;
    std::array<int, form::allSections> kinds_;
    int mode_ = -1;
};

} // namespace tarvik::web
