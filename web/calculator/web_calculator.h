#pragma once

// The calculator behind the page: each entry point records what the user
// did, runs the core handler, and answers with the error box's text (""
// when there is none): no exception ever reaches JavaScript. The page names
// its keys and focus in the core's terms and does what the core answers.

#include "web/calculator/dom_material.h"
#include "web/calculator/dom_window.h"

#include "calculator/calculator.h"
#include "calculator/keyboard.h"
#include "calculator/result_copy.h"
#include "calculator/size_text.h"
#include "calculator/stored_accordion.h"

#include <string>
#include <vector>

namespace tarvik::web {

class WebCalculator {
public:
    // The separator stays unknown until a handler that reads or writes a
    // number needs it: the browser's number format costs tens of
    // milliseconds on first use, and the page asks for it when idle.
    // Until then the calculator holds a separator that no handler reads.
    WebCalculator();

    // Reads the separator now (the page is idle), or again after the
    // browser's language changed.
    void readSeparator();

    // Returns the open section, 1..13.
    int headerClick(int section);
    int openSection() const { return accordion_.openSection(); }

    std::u16string kindClick(int section, int index);
    // A navigation key in a kinds list; -1 when the key moves nothing.
    int kindAfterKey(int section, ListKey key) const;
    std::u16string modeClick(int index);
    // A pick from a drop-down list's popup or by an arrow key.
    std::u16string itemPick(int list, int index);
    // The user edited a drop-down list's text.
    std::u16string textEdit(int list, const std::u16string& text, SizeTextChange change);

    // The separator the estimate's texts are written with, read now if it
    // was not yet.
    int separator() { return withSeparator().decimalSeparator(); }
    // «В смету»: the calculation behind the shown result, as the core
    // computed it, whatever the controls show now, as the texts the
    // estimate's module takes (web/calculation_crossing.h); none when no
    // result may be added.
    std::vector<std::u16string> calculationToAdd() const;

    std::u16string calcClick();
    // What reaches the field in place of its selection; "" drops the key.
    std::u16string keyPress(int key);
    // The field's text changed by the user.
    std::u16string editChange();
    std::u16string sizeListExit(int list);
    std::u16string editClick();
    std::u16string editExit(FocusLoss loss);

    // The material and «Свой размер»: a pick from the metal (0), grade (1)
    // or standards' (2) list; a key for, and a change of, field 0 (the
    // density) or 1 to 5 (the dimensions); the choice kept between visits.
    std::u16string optionPick(int list, int index);
    std::u16string fieldKey(int field, int key);
    std::u16string fieldChange(int field);
    std::u16string materialSetting() const { return calc_.materialSetting(); }
    std::u16string restoreMaterial(const std::u16string& setting);

    int itemIndex(int list) const;
    int kindIndex(int section) const;

    // What the copy menu writes, and whether it offers it.
    std::u16string resultCopyText(ResultCopy copy) const;
    bool resultCopyEnabled() const;
    // What Ctrl+C copies with this focus: "" leaves the key to the browser.
    std::u16string ctrlCCopy(FocusedControl focus, bool otherTextSelected) const;

private:
    Calculator& withSeparator();
    int kindCount(int section) const;
    void changed(DropDown which);

    DomWindow window_;
    DomMaterial material_;
    Calculator calc_;
    StoredAccordion accordion_;
    bool separatorKnown_ = false;
};

} // namespace tarvik::web
