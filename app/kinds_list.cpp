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
}

void KindsList::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    const int selectedBefore = itemIndex();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before || itemIndex() != selectedBefore)
        emit chosen();
}

} // namespace tarvik
