#pragma once

// What the window must show, kept from the user's actions alone, and the
// rules by which each action changes it.

#include "session.h"

#include "catalogue/family.h"

#include <QString>

#include <vector>

namespace tarvik::users {

// The input field's text, caret and selection.
struct FieldState {
    QString text;
    int cursor = 0, selectionStart = -1, selectionLength = 0;
    int caret() const { return selectionStart >= 0 ? selectionStart : cursor; }
};

// The field's text with its selection (or nothing at the caret) replaced by
// `inserted`, cut to the room left, as the field inserts.
QString replaceSelection(const FieldState& before, const QString& inserted);

struct Model {
    bool headerClicked = false;
    int openSection = 0;
    bool widened = false;
    const catalogue::Family* family = nullptr;   // of the last kind choice
    const catalogue::KindTable* table = nullptr; // loaded by it, if any
    std::vector<QString> sizes;                  // the size list's items
    std::vector<double> masses;                  // the unit masses in force
    int mode = -1;
    QString massUnit, quantityUnit, quantityCaption, massCaption, activeUnit;
    QString modeText[2] = {QStringLiteral("Массу по площади"), QStringLiteral("Площадь по массе")};
    QString inputCaption;
    bool inputCaptionShown = false;
    QString result;
    QString input = QStringLiteral("0");

    static QString notAFloatText(const QString& input);
    // A size text as the lists compare it: "," as "."; Latin look-alikes of
    // Cyrillic letters, "×" and "*" as the Cyrillic letters; no letter case,
    // no spaces.
    static QString foldedSize(const QString& text);
    // What a paste puts in the field: no white space at the ends, no group
    // spaces between digits.
    static QString pastedText(const QString& clipboard);
    // The key rules, judged on the text before the key.
    static QString afterTypedCharacter(const FieldState& before, const QString& keyText);
    // Backspace and Delete remove the selection, or a run of characters (one
    // grapheme) right before or after the caret.
    static bool deletionFits(const FieldState& before, const QString& after, bool forward);

    // A click into the field; an input that is no number brings up a box.
    void clickRule(std::vector<QString>& boxes);
    // The focus leaves the field for another control of the window.
    void leaveRule();
    void modeHandler();
    // The field's context menu: what Paste, Cut and Delete leave.
    void contextCommand(const Action& a, const FieldState& before);
    void kindChoice(int section, int kind);
    // The calculation with the size list at `size`; false when that lies
    // beyond the loaded table.
    bool calculation(int size, std::vector<QString>& boxes);

    // The pickers' items: the first level's, and the second level's for a
    // first level.
    std::vector<QString> firstLevels() const;
    std::vector<QString> secondLevels(const QString& first) const;
    // The size list's position of a size text, −1 when it holds none.
    int sizePosition(const QString& size) const;
};

} // namespace tarvik::users
