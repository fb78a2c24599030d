#pragma once

// The estimate's lines as a Qt table over the core's presenter: every text,
// flag and refusal comes from it, every committed cell goes to it. The
// presenter says when rows came or went (reset) and when one line changed.

#include "estimate/estimate_presenter.h"

#include <QAbstractTableModel>

#include <functional>

namespace tarvik {

class EstimateModel : public QAbstractTableModel {
    Q_OBJECT
public:
    EstimateModel(const EstimatePresenter& presenter, QObject* parent = nullptr);

    static EstimateColumn columnOf(int column) { return static_cast<EstimateColumn>(column); }
    // What a chosen cell offers (QStringList); empty for a typed one.
    static constexpr int ChoicesRole = Qt::UserRole + 1;

    // Wired to the presenter by the window: what changed is announced.
    void rowsChanged();
    void lineChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Hands the text to the committer the window sets; false when refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The presenter's commitCell, for the cells the view commits.
    std::function<bool(std::uint64_t id, EstimateColumn column, std::u16string_view text)> commit;

    // The reason shown in a cell whose edit was refused; empty for none.
    QString refusalAt(const QModelIndex& index) const;

private:
    const EstimatePresenter& presenter_;
    int rows_ = 0;
};

} // namespace tarvik
