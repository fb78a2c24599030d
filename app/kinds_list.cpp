#include "kinds_list.h"

#include <QKeyEvent>

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

void KindsList::keyPressEvent(QKeyEvent* event)
{
    // Qt keeps a current row apart from the selection (the first row once the
    // list takes the focus, or the row whose selection was taken away): the
    // first arrow key would move on from it and skip a kind.
    const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (arrow && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && itemIndex() < 0 &&
        count() > 0) {
        setCurrentRow(0);
        event->accept();
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
