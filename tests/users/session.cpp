#include "session_impl.h"

#include "app/error_guard.h"

#include <QApplication>
#include <QtTest>

namespace tarvik::users {

Session::Impl::Impl()
{
    qApp->installEventFilter(&modal);
    title = applicationTitle(QCoreApplication::applicationFilePath());
    otherApplication = std::make_unique<QWidget>();
    otherApplication->setWindowTitle(QStringLiteral("another application"));
    otherApplication->setGeometry(10, 10, 60, 40);

    form = std::make_unique<TForm1>();
    form->setSeparatorSource([] { return separator; });
    for (int k = 1; k <= 12; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        headers[i] = find<QPushButton>(QStringLiteral("sButton%1").arg(k));
        lists[i] = find<KindsList>(QStringLiteral("sListBox%1").arg(k));
        panels[i] = find<QWidget>(QStringLiteral("Panel%1").arg(k));
    }
    for (int i = 0; i < 2; ++i)
        modes[static_cast<std::size_t>(i)] = find<QRadioButton>(QStringLiteral("sRadioGroupItem%1").arg(i));
    for (int i = 0; i < 3; ++i) {
        const QString name = QString::fromLatin1(dropDownName(i));
        combos[static_cast<std::size_t>(i)] = find<DropDownList>(name);
        comboLabels[static_cast<std::size_t>(i)] = find<QLabel>(name + QStringLiteral("BoundLabel"));
    }
    edit = find<NumericEdit>(QStringLiteral("sEditParam"));
    calc = find<QPushButton>(QStringLiteral("sButtonCalc"));
    result = find<QLabel>(QStringLiteral("sLabelResult"));
    inputCaption = find<QLabel>(QStringLiteral("sEditParamBoundLabel"));

    form->placeOnScreen();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("the window never showed");
    form->placeOnScreen();
    narrowOuterWidth = form->frameGeometry().width();
    activate();
}

Session::Impl::~Impl()
{
    qApp->removeEventFilter(&modal);
}

QWidget* Session::Impl::focused() const
{
    return QApplication::focusWidget();
}

void Session::Impl::activate()
{
    if (QApplication::activeWindow() == form.get())
        return;
    form->activateWindow();
    if (!spinUntil([this] { return QApplication::activeWindow() == form.get(); }))
        qFatal("the window never became active");
}

FieldState Session::Impl::fieldState() const
{
    FieldState s;
    s.text = edit->text();
    s.cursor = edit->cursorPosition();
    if (edit->hasSelectedText()) {
        s.selectionStart = edit->selectionStart();
        s.selectionLength = static_cast<int>(edit->selectedText().size());
    }
    return s;
}

bool Session::Impl::fail(const std::string& what)
{
    if (failure.empty())
        failure = what;
    return false;
}

Outcome Session::Impl::broken(const std::string& what)
{
    fail(what);
    return Outcome::Broken;
}

// One action: the user takes it, the model follows it, and every invariant
// is checked.
bool Session::Impl::run(const Action& a)
{
    Turn turn = beginTurn();
    if (turn.field.text != m.input)
        return fail("the field holds " + escaped(turn.field.text) + " but should hold " + escaped(m.input));
    switch (perform(a, turn)) {
    case Outcome::NotPossible:
        return true;
    case Outcome::Broken:
        return false;
    case Outcome::Done:
        break;
    }
    followTheField(turn);
    followTheHeader(turn);
    if (!followTheKindsLists(turn) || !followTheMode(a, turn))
        return false;
    followTheCalculation(turn);
    if (!failure.empty())
        return false;
    return checkBoxes(turn.expectedBoxes) && checkInvariants(turn, a);
}

Turn Session::Impl::beginTurn()
{
    activate();
    Turn turn;
    turn.fieldHadFocus = edit->hasFocus();
    turn.field = fieldState();
    for (std::size_t i = 0; i < 12; ++i)
        turn.kindsBefore[i] = lists[i]->itemIndex();
    turn.modeBefore = form->window().modeItemIndex();
    modal.boxes.clear();
    return turn;
}

// The field's leave rule runs when the focus goes to another control of the
// window (before that control's own handler); not when a popup or another
// application takes it for a while.
void Session::Impl::followTheField(const Turn& turn)
{
    const QWidget* focusNow = focused();
    if (turn.fieldHadFocus && focusNow && focusNow != edit && focusNow->window() == form.get())
        m.leaveRule();
}

void Session::Impl::followTheHeader(const Turn& turn)
{
    if (turn.headerPressed) {
        m.headerClicked = true;
        m.openSection = turn.headerPressed;
    }
}

// A kind choice takes the highlight from every other section's list;
// nothing else changes a list the user did not touch.
bool Session::Impl::followTheKindsLists(Turn& turn)
{
    int chosenSection = turn.clickedKind;
    for (int k = 1; k <= 12; ++k) {
        KindsList* list = lists[static_cast<std::size_t>(k - 1)];
        if (list->itemIndex() != turn.kindsBefore[static_cast<std::size_t>(k - 1)] &&
            (turn.clickedKind == k || turn.keyTarget == list))
            chosenSection = k;
    }
    turn.chosenSection = chosenSection;
    for (int k = 1; k <= 12; ++k) {
        KindsList* list = lists[static_cast<std::size_t>(k - 1)];
        const int before = turn.kindsBefore[static_cast<std::size_t>(k - 1)];
        if (k == chosenSection || list->itemIndex() == before)
            continue;
        if (!chosenSection || list->itemIndex() != -1)
            return fail("the selection of kinds list " + std::to_string(k) + " changed by itself");
    }
    if (chosenSection)
        m.kindChoice(chosenSection, lists[static_cast<std::size_t>(chosenSection - 1)]->itemIndex());
    return true;
}

bool Session::Impl::followTheMode(const Action& a, const Turn& turn)
{
    if (a.kind == ActionKind::ModeClick) {
        m.mode = a.a;
        m.modeHandler();
    } else if (form->window().modeItemIndex() != turn.modeBefore) {
        if (turn.keyTarget != modes[0] && turn.keyTarget != modes[1])
            return fail("the mode changed by itself");
        m.mode = form->window().modeItemIndex();
        m.modeHandler();
    }
    return true;
}

void Session::Impl::followTheCalculation(Turn& turn)
{
    if (!turn.calcPressed)
        return;
    const int size = combo(0)->itemIndex();
    if (!m.calculation(size, turn.expectedBoxes))
        fail("the size list selects position " + std::to_string(size) + " beyond the loaded table");
}

// --- Session ---------------------------------------------------------------

Session::Session() : d(std::make_unique<Impl>()) {}

Session::~Session() = default;

Action Session::generate(std::mt19937_64& rng)
{
    return d->generate(rng);
}

bool Session::run(const Action& action)
{
    if (!d->failure.empty())
        return false;
    return d->run(action);
}

const std::string& Session::failure() const
{
    return d->failure;
}

int Session::boxesShown() const
{
    return d->modal.totalBoxes;
}

std::vector<QString> Session::lastBoxTexts() const
{
    std::vector<QString> texts;
    for (const auto& box : d->modal.boxes)
        texts.push_back(box.text);
    return texts;
}

QString Session::resultText() const
{
    return d->result->text();
}

Session::Snapshot Session::snapshot() const
{
    Snapshot s;
    for (const KindsList* list : d->lists)
        s.kinds.push_back(list->itemIndex());
    s.sizeIndex = d->combo(0)->itemIndex();
    s.firstLevelIndex = d->combo(1)->itemIndex();
    s.secondLevelIndex = d->combo(2)->itemIndex();
    s.mode = d->form->window().modeItemIndex();
    s.unitMasses = d->form->calculator().state().unitMasses;
    s.input = d->edit->text();
    s.cursor = d->edit->cursorPosition();
    s.selectionStart = d->edit->selectionStart();
    s.selectedText = d->edit->selectedText();
    return s;
}

int replay(const std::vector<Action>& actions, std::string* failure)
{
    Session session;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (!session.run(actions[i])) {
            if (failure)
                *failure = session.failure();
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace tarvik::users
