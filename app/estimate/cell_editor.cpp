#include "app/estimate/cell_editor.h"

#include "app/estimate/estimate_model.h"
#include "app/qt_text.h"
#include "estimate/estimate_cells.h"
#include "number/entry_rules.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>

namespace tarvik {
namespace {

// Keys that move or delete, and keys the view acts on (Enter commits,
// Escape cancels): they pass whatever text the platform attaches to them.
bool passesUntouched(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

} // namespace

CellEdit::CellEdit(QWidget* parent, char16_t separator, int decimals)
    : QLineEdit(parent), separator_(separator), decimals_(decimals)
{
    // Input methods commit text without key events, past the key rule.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CellEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        insert(qs(pastedNumberText(u16view(QGuiApplication::clipboard()->text()))));
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (passesUntouched(event->key()) || typed.size() != 1 || shortcut) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
    const QString current = text();
    const KeyVerdict verdict =
        cellKeyVerdict({u16view(current), start, end}, typed.front().unicode(), separator_, decimals_);
    if (verdict.inserted.empty()) {
        event->accept();
        setAccessibleDescription(qs(verdict.reason));
        if (!verdict.reason.empty())
            emit refusedKey(qs(verdict.reason));
        return;
    }
    if (verdict.inserted.size() == 1 && verdict.inserted.front() == typed.front().unicode())
        QLineEdit::keyPressEvent(event);
    else
        insert(qs(verdict.inserted));
}

CellDelegate::CellDelegate(std::function<char16_t()> separator, QObject* parent)
    : QStyledItemDelegate(parent), separator_(std::move(separator))
{
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    const QString name = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    const QStringList choices = index.data(EstimateModel::ChoicesRole).toStringList();
    if (!choices.isEmpty()) {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("cellChoice"));
        box->addItems(choices);
        box->setAccessibleName(name);
        // Taken is chosen: committed as Enter commits a typed cell.
        connect(box, &QComboBox::activated, this, &CellDelegate::commitChoice);
        return box;
    }
    const std::optional<int> decimals = cellDecimals(EstimateModel::columnOf(index.column()));
    if (!decimals)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = new CellEdit(parent, separator_(), *decimals);
    edit->setObjectName(QStringLiteral("cellEdit"));
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setAccessibleName(name);
    connect(edit, &CellEdit::refusedKey, this, &CellDelegate::refusedKey);
    return edit;
}

void CellDelegate::commitChoice()
{
    if (auto* box = qobject_cast<QComboBox*>(sender())) {
        emit commitData(box);
        emit closeEditor(box);
    }
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString()));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, box->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace tarvik
