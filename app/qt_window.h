#pragma once

// The window operations that the core's handlers drive, carried out on the
// main window's widgets, and the component tree that the accordion walks.

#include "calculator/window.h"

#include <functional>

class QWidget;

namespace tarvik {

struct FormControls;
class DropDownList;
class ResultBox;

class QtWindow : public Window {
public:
    QtWindow(QWidget& form, FormControls& controls, ResultBox& result);

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
    // A list about to change gets its line edit first, if the calculation
    // column has not given it one yet.
    DropDownList* changing(DropDown which);

    QWidget& form_;
    FormControls& c_;
    ResultBox& result_;
};

class QtComponentTree : public ComponentTree {
public:
    explicit QtComponentTree(const FormControls& controls) : c_(controls) {}

    int componentCount() const override;
    bool isWindowed(int component) const override;
    int parentOf(int component) const override;
    int topOf(int component) const override;
    int heightOf(int component) const override;
    void setTop(int component, int top) override;
    void setHeight(int component, int height) override;

private:
    const FormControls& c_;
};

} // namespace tarvik
