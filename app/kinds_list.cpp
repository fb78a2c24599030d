#include "app/kinds_list.h"

#include "calculator/keyboard.h"

#include <QKeyEvent>

#include <optional>

namespace tarvik {

KindsList::KindsList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A 2-px frame: 14 px per kind plus 4 shows every kind.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // clicked, not currentRowChanged: a press on another row changes the
    // current row before the release, which would run the handler twice.
    connect(this, &QListWidget::clicked, this, &KindsList::chosen);
}

int KindsList::itemIndex() const
{
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void KindsList::clearItemIndex()
{
    clearSelection();
    // The focus mark goes where the next arrow key selects.
    if (count() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

void KindsList::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    // The focus mark is drawn around the current row: give the list one
    // however the focus came (Qt does so only for the keyboard), selecting
    // nothing.
    if (!currentIndex().isValid() && count() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

namespace {

std::optional<ListKey> listKeyOf(const QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return std::nullopt;
    switch (event->key()) {
    case Qt::Key_Up:
        return ListKey::Up;
    case Qt::Key_Down:
        return ListKey::Down;
    case Qt::Key_Home:
        return ListKey::Home;
    case Qt::Key_End:
        return ListKey::End;
    default:
        return std::nullopt;
    }
}

} // namespace

void KindsList::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<ListKey> key = listKeyOf(event)) {
        event->accept();
        const int selected = itemIndex();
        const int next = kindAfterKey(selected, count(), *key);
        if (next >= 0)
            setCurrentRow(next);
        if (next != selected)
            emit chosen();
        return;
    }
    const int before = currentRow();
    const int selectedBefore = itemIndex();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before || itemIndex() != selectedBefore)
        emit chosen();
}

} // namespace tarvik
