#pragma once

// The session's inside, shared by its files: the window and its controls,
// the model of what they must show, and the steps of one action.
//
//   session.cpp        the window, and one action from start to checks
//   actions.cpp        what the user does with the pointer and the keyboard
//   model.cpp          what the window must show (model.h)
//   checks.cpp         what must hold after every action
//   generate.cpp       which action a user takes next
//   inputs.cpp         the keys a user presses and the texts they paste
//   modal_handler.cpp  the user's answer to error boxes and menus
//   describe.cpp       how actions and texts read in a failure report

#include "common.h"
#include "modal_handler.h"
#include "model.h"
#include "session.h"

#include "app/drop_down_list.h"
#include "app/form1.h"
#include "app/kinds_list.h"
#include "app/numeric_edit.h"
#include "tests/app/find_control.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tarvik::users {

// One action's traces: the state before it, and what it pressed, chose and
// typed, for the model to follow and the checks to judge.
struct Turn {
    bool fieldHadFocus = false;
    FieldState field;
    std::array<int, 12> kindsBefore{}; // selected row of each kinds list
    int modeBefore = -1;

    std::vector<QString> expectedBoxes;
    QWidget* keyTarget = nullptr; // the control a key went to
    int clickedKind = 0;          // section whose kinds list was clicked
    int headerPressed = 0;        // section whose header was pressed
    bool calcPressed = false;
    std::optional<QString> typedIntoPicker;
    int chosenSection = 0; // section whose kind the action chose
};

// How an action went: done, impossible in the present state (a user cannot
// take it, so nothing is checked), or it broke an invariant on the way.
enum class Outcome { Done, NotPossible, Broken };

struct Session::Impl {
    ModalHandler modal;
    std::unique_ptr<QWidget> otherApplication;
    std::unique_ptr<TForm1> form;
    std::array<QPushButton*, 12> headers{};
    std::array<KindsList*, 12> lists{};
    std::array<QWidget*, 12> panels{};
    std::array<QRadioButton*, 2> modes{};
    std::array<DropDownList*, 3> combos{};
    std::array<QLabel*, 3> comboLabels{};
    NumericEdit* edit = nullptr;
    QPushButton* calc = nullptr;
    QLabel* result = nullptr;
    QLabel* inputCaption = nullptr;
    int narrowOuterWidth = 0;
    Model m;
    std::string failure;
    QString title;
    // Ctrl+C copies the result's number from a button, a kinds list or the
    // mode group (nothing while no result shows); the field ignores it.
    const QString clipboardBefore = QStringLiteral("on the clipboard before");

    // session.cpp
    Impl();
    ~Impl();
    template <class T> T* find(const QString& name) const
    {
        return tarvik::testing::findControl<T>(form.get(), name);
    }
    DropDownList* combo(int which) const { return combos[static_cast<std::size_t>(which)]; }
    QWidget* focused() const;
    void activate();
    FieldState fieldState() const;
    bool fail(const std::string& what);
    Outcome broken(const std::string& what);

    bool run(const Action& a);
    Turn beginTurn();
    void followTheField(const Turn& turn);
    void followTheHeader(const Turn& turn);
    bool followTheKindsLists(Turn& turn);
    bool followTheMode(const Action& a, const Turn& turn);
    void followTheCalculation(Turn& turn);

    // actions.cpp
    Outcome perform(const Action& a, Turn& turn);
    Outcome clickHeader(const Action& a, Turn& turn);
    Outcome clickKind(const Action& a, Turn& turn);
    Outcome clickMode(const Action& a);
    Outcome clickCalc(Turn& turn);
    Outcome clickField(const Action& a, Turn& turn);
    Outcome pressKey(const Action& a, Turn& turn);
    Outcome typeIntoField(const Action& a);
    Outcome useContextMenu(const Action& a, const Turn& turn);
    Outcome pickFromPopup(const Action& a);
    Outcome typeIntoPicker(const Action& a, Turn& turn);
    Outcome turnWheel(const Action& a);
    Outcome switchAway();
    Outcome useResultMenu(const Action& a);
    Outcome clickNowhere(const Action& a);
    void sendKey(QWidget* target, const KeyPress& key);
    QPoint comboArrow(const QComboBox* box) const;
    void contextMenu(const Action& a);

    // checks.cpp
    bool checkCopy(const QWidget* target);
    bool checkBoxes(const std::vector<QString>& expected);
    bool checkInvariants(const Turn& turn, const Action& a);
    bool checkAccordion();
    bool checkWindowSize();
    bool twoPickersShown() const;
    bool checkSizeControls();
    bool checkSizeList(bool chosen);
    bool checkPickers();
    bool checkShownIsSelected();
    bool checkFocus();
    bool checkTypedIntoPicker(const std::optional<QString>& typed, int which);
    bool checkModeCaptionsResultAndInput();

    // generate.cpp
    Action generate(std::mt19937_64& rng);
};

} // namespace tarvik::users
