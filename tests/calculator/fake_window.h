#pragma once

// A window without widgets: it keeps what the handlers set, as the controls
// would show it. Tests check that state, not the order of the calls, which
// no user sees; the calls are logged all the same.

#include "calculator/window.h"

#include <array>
#include <string>
#include <vector>

namespace tarvik::testing {

struct FakeList {
    std::vector<std::u16string> items;
    int index = -1;
    std::u16string shownText;
    bool visible = true;
    bool enabled = true;
    std::u16string caption = u"Размер";
};

class FakeWindow : public Window {
public:
    FakeWindow()
    {
        list(DropDown::Element).visible = false;
        kinds.fill(-1);
    }

    FakeList& list(DropDown d) { return lists[static_cast<int>(d)]; }
    const FakeList& list(DropDown d) const { return lists[static_cast<int>(d)]; }

    void setOuterWidth(int width) override
    {
        outerWidth = width;
        log.push_back("width " + std::to_string(width));
    }
    void setVisible(DropDown d, bool visible) override
    {
        list(d).visible = visible;
        log.push_back(name(d) + (visible ? " show" : " hide"));
    }
    void clearItems(DropDown d) override
    {
        list(d).items.clear();
        list(d).index = -1;
        log.push_back(name(d) + " clear");
    }
    void appendItems(DropDown d, std::span<const std::u16string_view> texts) override
    {
        for (auto t : texts)
            list(d).items.emplace_back(t);
        log.push_back(name(d) + " append " + std::to_string(texts.size()));
    }
    void setItemIndex(DropDown d, int index) override
    {
        FakeList& l = list(d);
        const bool valid = index >= 0 && index < static_cast<int>(l.items.size());
        l.index = valid ? index : -1;
        l.shownText = valid ? l.items[static_cast<std::size_t>(index)] : u"";
        log.push_back(name(d) + " index " + std::to_string(index));
    }
    int itemIndex(DropDown d) const override { return list(d).index; }
    int itemCount(DropDown d) const override { return static_cast<int>(list(d).items.size()); }
    std::u16string itemText(DropDown d, int index) const override
    {
        const FakeList& l = list(d);
        return index >= 0 && index < static_cast<int>(l.items.size())
                   ? l.items[static_cast<std::size_t>(index)]
                   : u"";
    }
    void emptyPicker(DropDown d) override
    {
        list(d).items.clear();
        list(d).index = -1;
        list(d).shownText.clear();
        log.push_back(name(d) + " empty");
    }
    void setEnabled(DropDown d, bool enabled) override
    {
        list(d).enabled = enabled;
        log.push_back(name(d) + (enabled ? " enable" : " disable"));
    }
    void setCaption(DropDown d, std::u16string_view caption) override
    {
        list(d).caption = caption;
        log.push_back(name(d) + " caption");
    }
    int kindsItemIndex(int section) const override { return kinds[static_cast<std::size_t>(section - 1)]; }
    void clearKindsSelection(int section) override { kinds[static_cast<std::size_t>(section - 1)] = -1; }
    int modeItemIndex() const override { return mode; }
    void setModeItemText(int item, std::u16string_view text) override
    {
        modeTexts[static_cast<std::size_t>(item)] = text;
        log.push_back("mode item " + std::to_string(item));
    }
    void setResultText(std::u16string_view text) override
    {
        result = text;
        resultOutOfDate = false;
        log.push_back(text.empty() ? "result cleared" : "result set");
    }
    void setResultOutOfDate(bool outOfDate, std::u16string_view description) override
    {
        resultOutOfDate = outOfDate;
        resultDescription = description;
        log.push_back(outOfDate ? "result out of date" : "result current");
    }
    void setEstimateAddEnabled(bool enabled) override { estimateAddEnabled = enabled; }
    void setKindInUse(std::u16string_view text) override
    {
        kindInUse = text;
        log.push_back("kind in use");
    }
    void showMissingInput(MissingInput which, std::u16string_view text) override
    {
        missing = which;
        missingText = text;
        log.push_back("missing " + std::to_string(static_cast<int>(which)));
    }
    std::u16string inputText() const override { return input; }
    void setInputText(std::u16string_view text) override
    {
        input = text;
        caret = static_cast<int>(input.size());
        log.push_back("input set");
    }
    int inputCaret() const override { return caret; }
    int inputSelectionEnd() const override { return selectionEnd < 0 ? caret : selectionEnd; }
    void showInputHint(std::u16string_view reason) override { inputHint = reason; }
    void setInputCaption(std::u16string_view caption) override
    {
        inputCaption = caption;
        log.push_back("input caption");
    }
    void activateInputCaption() override
    {
        inputCaptionActive = true;
        log.push_back("input caption active");
    }

    static std::string name(DropDown d)
    {
        switch (d) {
        case DropDown::Element:
            return "Element";
        case DropDown::E1:
            return "E1";
        case DropDown::E2:
            return "E2";
        }
        return "?";
    }

    std::array<FakeList, 3> lists;
    std::array<int, 13> kinds{}; // the thirteenth: «Свой размер»
    int mode = -1;
    std::array<std::u16string, 2> modeTexts{u"Массу по площади", u"Площадь по массе"};
    std::u16string result;
    std::u16string input = u"0";
    int caret = 0;
    int selectionEnd = -1; // −1: nothing selected
    std::u16string inputHint;
    bool resultOutOfDate = false;
    std::u16string resultDescription;
    std::u16string kindInUse;
    MissingInput missing = MissingInput::None;
    std::u16string missingText;
    std::u16string inputCaption;
    bool inputCaptionActive = false;
    bool estimateAddEnabled = false;
    int outerWidth = 0;
    std::vector<std::string> log;
};

// The material controls and «Свой размер»'s fields, kept as they would show.
class FakeMaterial : public MaterialWindow {
public:
    struct Field {
        std::u16string caption;
        std::u16string text;
    };

    void setGradeItems(GradeList list, std::span<const std::u16string_view> texts, int index) override
    {
        auto& items = list == GradeList::Metal ? metals : grades;
        items.assign(texts.begin(), texts.end());
        (list == GradeList::Metal ? metal : grade) = index;
    }
    int gradeIndex(GradeList list) const override { return list == GradeList::Metal ? metal : grade; }
    void setGradeChoiceEnabled(bool enabled) override { gradeChoiceEnabled = enabled; }
    std::u16string densityText() const override { return density; }
    void setDensityText(std::u16string_view text) override { density = text; }
    int densityCaret() const override { return static_cast<int>(density.size()); }
    int densitySelectionEnd() const override { return static_cast<int>(density.size()); }
    void showDensityHint(std::u16string_view reason) override { densityHint = reason; }
    void setBasisText(std::u16string_view text) override { basis = text; }
    void setDimensionFields(std::span<const std::u16string_view> captions) override
    {
        fields.clear();
        for (auto c : captions)
            fields.push_back({std::u16string(c), {}});
    }
    std::u16string dimensionText(int field) const override
    {
        return fields.at(static_cast<std::size_t>(field)).text;
    }
    void setDimensionText(int field, std::u16string_view text) override
    {
        fields.at(static_cast<std::size_t>(field)).text = text;
    }
    int dimensionCaret(int field) const override { return static_cast<int>(dimensionText(field).size()); }
    int dimensionSelectionEnd(int field) const override { return dimensionCaret(field); }
    void showDimensionHint(int field, std::u16string_view reason, bool focus) override
    {
        hintField = field;
        dimensionHint = reason;
        if (focus)
            focusedField = field;
    }
    void setRadiusStandardVisible(bool visible) override { radiusStandardVisible = visible; }
    int radiusStandardIndex() const override { return radiusStandard; }

    std::vector<std::u16string> metals;
    std::vector<std::u16string> grades;
    int metal = -1;
    int grade = -1;
    bool gradeChoiceEnabled = true;
    std::u16string density;
    std::u16string densityHint;
    std::u16string basis;
    std::vector<Field> fields;
    int hintField = -1;
    std::u16string dimensionHint;
    int focusedField = -1;
    bool radiusStandardVisible = false;
    int radiusStandard = 0;
};

} // namespace tarvik::testing
