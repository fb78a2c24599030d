#include "app/numeric_edit.h"

#include "calculator/keyboard.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <optional>
#include <utility>

namespace tarvik {
namespace {

// The field's key, or none when it is not an editing command.
std::optional<FieldCommand> commandOf(const QKeyEvent* event)
{
    static constexpr std::pair<QKeySequence::StandardKey, FieldCommand> commands[] = {
        {QKeySequence::Copy, FieldCommand::Copy},
        {QKeySequence::Paste, FieldCommand::Paste},
        {QKeySequence::Cut, FieldCommand::Cut},
        {QKeySequence::Undo, FieldCommand::Undo},
        {QKeySequence::Redo, FieldCommand::Redo},
        {QKeySequence::DeleteEndOfLine, FieldCommand::DeleteLineForward},
        {QKeySequence::DeleteStartOfWord, FieldCommand::DeleteWordBackward},
        {QKeySequence::DeleteEndOfWord, FieldCommand::DeleteWordForward},
        {QKeySequence::DeleteCompleteLine, FieldCommand::DeleteCompleteLine},
        {QKeySequence::SelectAll, FieldCommand::SelectAll},
    };
    for (auto [key, command] : commands) {
        if (event->matches(key))
            return command;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return FieldCommand::Enter;
    return std::nullopt;
}

// Navigation and editing keys that reach the field untouched, whatever text
// the platform attaches to them (X11 gives Delete "\x7f" and Tab "\t").
bool passesUntouched(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent)
{
    // Input methods commit text without key events, past the key rules.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (changeRule)
            changeRule();
    });
}

void NumericEdit::pasteCleaned()
{
    const std::u16string cleaned = pastedNumberText(QGuiApplication::clipboard()->text().toStdU16String());
    if (cleaned.empty())
        return;
    insert(QString::fromStdU16String(cleaned));
    if (changeRule)
        changeRule();
}

void NumericEdit::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData cleaned;
    cleaned.setText(QString::fromStdU16String(pastedNumberText(event->mimeData()->text().toStdU16String())));
    QDropEvent drop(event->position(), event->possibleActions(), &cleaned, event->buttons(),
                    event->modifiers(), event->type());
    QLineEdit::dropEvent(&drop);
    event->setAccepted(drop.isAccepted());
}

int NumericEdit::caret() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void NumericEdit::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<FieldCommand> command = commandOf(event);
        command && numberFieldIgnores(*command)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (passesUntouched(event->key()) || text.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char16_t typed = text.size() == 1 ? text.front().unicode() : 0;
    const KeyVerdict verdict = typed != 0 && keyRule ? keyRule(typed) : KeyVerdict{};
    if (verdict.inserted.empty()) {
        event->accept();
        return;
    }
    if (verdict.inserted.size() == 1 && verdict.inserted.front() == typed)
        QLineEdit::keyPressEvent(event);
    else
        insert(QString::fromStdU16String(verdict.inserted));
}

void NumericEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && clickRule)
        clickRule();
}

void NumericEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The context menu and a switch to another application leave the focus
    // where it is as far as this window is concerned.
    const FocusLoss loss = event->reason() == Qt::PopupFocusReason          ? FocusLoss::ToPopup
                           : event->reason() == Qt::ActiveWindowFocusReason ? FocusLoss::ToOtherWindow
                                                                            : FocusLoss::ToControl;
    if (leaveRuleRuns(loss) && leaveRule)
        leaveRule();
}

void NumericEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // Qt appends each entry's shortcut to its text after a tab. Every one the
    // standard menu lists (undo, redo, cut, copy, paste, select all) is
    // dropped by the key rules above, so the menu must not offer them; its
    // entries themselves still work.
    for (QAction* action : menu->actions()) {
        action->setText(action->text().section(u'\t', 0, 0));
        // A spreadsheet cell pastes with its line break, a grouped number
        // with its spaces: the paste entry puts the text in cleaned.
        if (action->text() == QLineEdit::tr("&Paste")) {
            action->setObjectName(QStringLiteral("edit-paste"));
            action->disconnect(this);
            connect(action, &QAction::triggered, this, &NumericEdit::pasteCleaned);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace tarvik
