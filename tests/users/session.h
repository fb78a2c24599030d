#pragma once

// One simulated user at the real window: actions a person can take with the
// pointer and the keyboard, a model of what each must do, and the checks
// that hold after every action. Actions are plain values, so a run can be
// replayed on a fresh window and shortened.

#include <QString>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tarvik::users {

enum class ActionKind {
    HeaderClick,  // a: section 1..12
    KindClick,    // a: section, b: row, c: 1 with Ctrl held (only in the open section)
    ModeClick,    // a: item 0 or 1
    CalcClick,    //
    FieldClick,   // a: x where the button goes down, b: x where it comes up (a drag when they differ)
    FieldKey,     // a: entry of fieldKeys() (the field must have the focus)
    FieldType,    // text: typed key by key into the field (which must have the focus)
    ContextMenu,  // a: ContextCommand; text: the clipboard's text for Paste
    FocusKey,     // a: entry of focusKeys(), sent to whatever control has the focus
    PickerPopup,  // a: DropDown, b: item; opens the list, hovers the item, Enter
    PickerType,   // a: DropDown, text: typed after clearing the text, b: 1 to end with Enter,
                  // 2 with Delete (which takes a completion away)
    PickerWheel,  // a: DropDown, b: +1 or -1
    SwitchAway,   // another application takes the focus; the next action comes back
    ClickNowhere, // a: which inert spot (panel, group box, result, picture)
    ResultMenu,   // a: 0 copies the number, 1 the number with its unit
};

enum class ContextCommand { Paste, Cut, Delete, SelectAll };

struct Action {
    ActionKind kind{};
    int a = 0, b = 0, c = 0;
    QString text;
};

// One line per action, with every non-ASCII or control character escaped and
// long texts abbreviated.
std::string describe(const Action& action);

// Key presses as X11 delivers them: key code, modifiers and the text the
// platform attaches, with what the field must make of them.
struct KeyPress {
    int key;
    int modifiers; // Qt::KeyboardModifiers
    QString text;
    enum Effect {
        Character, // judged by the key rules by its text
        Backspace, // deletes the selection or what stands before the caret
        Delete,    // deletes the selection or what stands after the caret
        Nothing,   // navigation, dropped shortcuts and the like: the text stays
        Leave,     // moves the focus on
    } effect;
    const char* name;
};
const std::vector<KeyPress>& fieldKeys();
const std::vector<KeyPress>& focusKeys();

// Texts users paste: numbers of every shape, the grammar's edges, the
// extended range's edges, and hostile text.
QString randomPasteText(std::mt19937_64& rng);

class Session {
public:
    // A fresh window, shown and active, with the Russian decimal comma.
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A random action that makes sense in the present state.
    Action generate(std::mt19937_64& rng);
    // Runs the action and checks every invariant. False on the first broken
    // one, with the reason in failure().
    bool run(const Action& action);
    const std::string& failure() const;

    // Number of error boxes shown so far, and the texts of those that the
    // last action brought up.
    int boxesShown() const;
    std::vector<QString> lastBoxTexts() const;
    QString resultText() const;

    // What the user has chosen and typed, to compare across actions.
    struct Snapshot {
        std::vector<int> kinds; // selected row of each kinds list
        int sizeIndex = -1, firstLevelIndex = -1, secondLevelIndex = -1, mode = -1;
        std::vector<double> unitMasses;
        QString input;
        int cursor = 0, selectionStart = -1;
        QString selectedText;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Replays `actions` on a fresh window; the index of the first action that
// breaks an invariant, or -1.
int replay(const std::vector<Action>& actions, std::string* failure = nullptr);

} // namespace tarvik::users
