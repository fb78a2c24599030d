#include "app/estimate/estimate_model.h"

#include "app/qt_text.h"
#include "estimate/estimate_cells.h"
#include "estimate/estimate_messages.h"
#include "text/captions.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>
#include <QStyle>

namespace tarvik {
namespace {

constexpr int columns = static_cast<int>(estimateColumnCount);

bool isNumberColumn(EstimateColumn c)
{
    return c != EstimateColumn::Name && c != EstimateColumn::Size && c != EstimateColumn::Grade;
}

QString text(const std::u16string& t)
{
    return qs(t);
}

} // namespace

EstimateModel::EstimateModel(QObject* parent) : QAbstractTableModel(parent) {}

void EstimateModel::setEstimate(Estimate* estimate)
{
    beginResetModel();
    estimate_ = estimate;
    refusals_.clear();
    mix_ = estimate_ ? quantityMix(*estimate_) : QuantityMix::Length;
    endResetModel();
}

int EstimateModel::decimalsOf(int column)
{
    return cellDecimals(columnOf(column)).value_or(-1);
}

int EstimateModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !estimate_ ? 0 : static_cast<int>(estimate_->size());
}

int EstimateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns;
}

QString EstimateModel::editText(const EstimateLine& line, int column) const
{
    return qs(cellEditText(line, columnOf(column)));
}

QString EstimateModel::refusalAt(const QModelIndex& index) const
{
    if (!estimate_ || !index.isValid() || index.row() >= rowCount())
        return {};
    const auto it =
        refusals_.find({estimate_->line(static_cast<std::size_t>(index.row())).id, index.column()});
    return it == refusals_.end() ? QString() : it->second.reason;
}

QVariant EstimateModel::data(const QModelIndex& index, int role) const
{
    if (!estimate_ || !index.isValid() || index.row() >= rowCount() || index.column() >= columns)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const EstimateLine& line = estimate_->line(row);
    const EstimateColumn column = columnOf(index.column());
    const auto refusal = refusals_.find({line.id, index.column()});
    const bool refused = refusal != refusals_.end();
    const bool costOutOfRange =
        column == EstimateColumn::Cost && estimate_->cost(row).state == LineCostState::OutOfRange;

    switch (role) {
    case Qt::DisplayRole:
        if (refused)
            return refusal->second.text;
        if (costOutOfRange)
            return qs(caption(Caption::CostOutOfRange));
        return text(estimateLineRow(*estimate_, row)[static_cast<std::size_t>(index.column())]);
    case Qt::EditRole:
        return refused ? refusal->second.text : editText(line, index.column());
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        if (refused)
            return refusal->second.reason;
        if (column == EstimateColumn::Name || costOutOfRange) {
            const std::u16string notes = lineNotes(*estimate_, row);
            if (!notes.empty())
                return text(notes);
        }
        return {};
    }
    case Qt::DecorationRole:
        if (column == EstimateColumn::Name && line.note != CatalogueNote::None)
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return {};
    case Qt::ForegroundRole:
        if (refused || costOutOfRange)
            return QBrush(QColor(0xB0, 0x00, 0x20));
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (isNumberColumn(column) ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant EstimateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return qs(columnCaption(columnOf(section), mix_));
    return {};
}

Qt::ItemFlags EstimateModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && decimalsOf(index.column()) >= 0)
        f |= Qt::ItemIsEditable;
    return f;
}

EditResult EstimateModel::edit(const EstimateLine& line, int column, std::u16string_view typed)
{
    return editCell(*estimate_, line.id, columnOf(column), typed);
}

bool EstimateModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!estimate_ || role != Qt::EditRole || !index.isValid() || decimalsOf(index.column()) < 0 ||
        index.row() >= rowCount())
        return false;
    const EstimateLine& line = estimate_->line(static_cast<std::size_t>(index.row()));
    const CellKey key{line.id, index.column()};
    const QString typed = value.toString();
    // Leaving a cell as it was is no change: nothing to recompute or save.
    if (!refusals_.contains(key) && typed == editText(line, index.column()))
        return true;
    const EditResult result = edit(line, index.column(), u16view(typed));
    if (!result) {
        const QString reason = qs(editErrorText(result));
        refusals_[key] = {typed, reason};
        emit dataChanged(index, index);
        emit refused(reason);
        return false;
    }
    refusals_.erase(key);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columns - 1));
    changed();
    return true;
}

EditResult EstimateModel::add(const Calculation& calculation)
{
    if (!estimate_)
        return {EditError::NoSuchLine};
    const int row = rowCount();
    const EditResult result = estimate_->add(calculation);
    if (!result) {
        emit refused(qs(editErrorText(result)));
        return result;
    }
    // Whether the core takes the line is known only once it has: the new
    // last row is announced after the fact, which no view reads in between.
    beginInsertRows({}, row, row);
    endInsertRows();
    changed();
    return result;
}

bool EstimateModel::removeLine(int row)
{
    if (!estimate_ || row < 0 || row >= rowCount())
        return false;
    const std::uint64_t id = estimate_->line(static_cast<std::size_t>(row)).id;
    beginRemoveRows({}, row, row);
    estimate_->remove(id);
    std::erase_if(refusals_, [id](const auto& r) { return r.first.first == id; });
    endRemoveRows();
    changed();
    return true;
}

void EstimateModel::clearLines()
{
    if (!estimate_ || estimate_->size() == 0)
        return;
    beginResetModel();
    estimate_->clear();
    refusals_.clear();
    endResetModel();
    changed();
}

bool EstimateModel::undo()
{
    if (!estimate_ || !estimate_->canUndo())
        return false;
    beginResetModel();
    estimate_->undo();
    endResetModel();
    changed();
    return true;
}

EditResult EstimateModel::setVatRate(std::u16string_view percent)
{
    if (!estimate_)
        return {EditError::NoSuchLine};
    const EditResult result = estimate_->setVatRate(percent);
    if (result)
        emit committed();
    else
        emit refused(qs(editErrorText(result)));
    return result;
}

void EstimateModel::setPricesIncludeVat(bool included)
{
    if (!estimate_ || estimate_->pricesIncludeVat() == included)
        return;
    estimate_->setPricesIncludeVat(included);
    emit committed();
}

void EstimateModel::followMix()
{
    const QuantityMix now = estimate_ ? quantityMix(*estimate_) : QuantityMix::Length;
    if (now == mix_)
        return;
    mix_ = now;
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

void EstimateModel::changed()
{
    followMix();
    emit committed();
}

} // namespace tarvik
