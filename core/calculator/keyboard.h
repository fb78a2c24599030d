#pragma once

// Keyboard rules that a face applies to its own key events: it names the
// key or command in these terms and does what the rule answers.

namespace tarvik {

// Keys that move the selection in a kinds list.
enum class ListKey { Up, Down, Home, End };

// The kind selected after `key`, in a list of `count` kinds whose selected
// kind is `selected` (−1 for none). With nothing selected, Up and Down
// select the first kind: the toolkits keep a current row apart from the
// selection, and moving on from it would skip a kind.
int kindAfterKey(int selected, int count, ListKey key);

// Editing commands of the number field, whatever key or menu gives them.
enum class FieldCommand {
    Copy,
    Cut,
    Paste,
    Undo,
    Redo,
    DeleteWordBackward,
    DeleteWordForward,
    DeleteLineBackward,
    DeleteLineForward,
    DeleteCompleteLine,
    Enter,
    SelectAll,
};

// Commands the number field drops: the key rules check one typed character
// against the text before it, and these change the text past them.
bool numberFieldIgnores(FieldCommand command);

// Where the keyboard focus went when the number field lost it.
enum class FocusLoss {
    ToControl,     // another control of the calculator
    ToPopup,       // the field's own context menu
    ToOtherWindow, // another window or application: the field keeps the focus here
};

// Whether the field's leave rule (an empty field shows "0") runs.
bool leaveRuleRuns(FocusLoss loss);

} // namespace tarvik
