#include "app/estimate/estimate_model.h"

#include "app/qt_text.h"
#include "estimate/estimate_cells.h"

#include <QApplication>
#include <QBrush>
#include <QStyle>

namespace tarvik {
namespace {

constexpr int columns = static_cast<int>(estimateColumnCount);

} // namespace

EstimateModel::EstimateModel(const EstimatePresenter& presenter, QObject* parent)
    : QAbstractTableModel(parent), presenter_(presenter), rows_(static_cast<int>(presenter.rowCount()))
{
}

void EstimateModel::rowsChanged()
{
    // The core has already changed: a reset is the one announcement no view
    // reads the old rows through.
    beginResetModel();
    rows_ = static_cast<int>(presenter_.rowCount());
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

void EstimateModel::lineChanged(int row)
{
    if (row >= 0 && row < rows_)
        emit dataChanged(index(row, 0), index(row, columns - 1));
}

int EstimateModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int EstimateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns;
}

QString EstimateModel::refusalAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= rows_)
        return {};
    return qs(presenter_.cell(static_cast<std::size_t>(index.row()), columnOf(index.column())).reason);
}

QVariant EstimateModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const EstimateColumn column = columnOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return qs(presenter_.cell(row, column).text);
    case Qt::EditRole:
        return qs(presenter_.cell(row, column).editText);
    case ChoicesRole: {
        QStringList choices;
        for (const std::u16string& choice : presenter_.cell(row, column).choices)
            choices << qs(choice);
        return choices;
    }
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const EstimateCell cell = presenter_.cell(row, column);
        if (!cell.reason.empty())
            return qs(cell.reason);
        if (column == EstimateColumn::Name || cell.alert) {
            const std::u16string notes = presenter_.lineNotes(row);
            if (!notes.empty())
                return qs(notes);
        }
        return {};
    }
    case Qt::DecorationRole:
        if (column == EstimateColumn::Name && presenter_.hasNote(row))
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return {};
    case Qt::ForegroundRole:
        if (presenter_.cell(row, column).alert)
            return QBrush(QColor(0xB0, 0x00, 0x20));
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (columnIsText(column) ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant EstimateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return qs(presenter_.columnTitle(columnOf(section)));
    return {};
}

Qt::ItemFlags EstimateModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && cellEdited(columnOf(index.column())))
        f |= Qt::ItemIsEditable;
    return f;
}

bool EstimateModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rows_ || !commit)
        return false;
    const std::uint64_t id = presenter_.lineId(static_cast<std::size_t>(index.row()));
    return commit(id, columnOf(index.column()), u16view(value.toString()));
}

} // namespace tarvik
