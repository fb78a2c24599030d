#pragma once

// The estimate's lines as a Qt table: every text comes from the core's
// table rows, every edit goes to the core's edit functions. A refused edit
// stays in its cell, marked, with the reason, until the cell is typed again.

#include "estimate/estimate.h"
#include "estimate/estimate_table.h"

#include <QAbstractTableModel>

#include <map>
#include <utility>

namespace tarvik {

class EstimateModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit EstimateModel(QObject* parent = nullptr);

    // The estimate shown; none shows an empty table. Set again after the
    // estimate changed in ways the model did not see (opened, merged).
    void setEstimate(Estimate* estimate);
    Estimate* estimate() const { return estimate_; }

    // The digits a cell takes after the separator; −1 for a cell that is
    // not typed into.
    static int decimalsOf(int column);
    static EstimateColumn columnOf(int column) { return static_cast<EstimateColumn>(column); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Changes made outside the cells; each that happens is committed.
    EditResult add(const Calculation& calculation);
    bool removeLine(int row);
    void clearLines();
    bool undo();
    EditResult setVatRate(std::u16string_view percent);
    void setPricesIncludeVat(bool included);

    // The reason shown in a cell whose edit was refused; empty for none.
    QString refusalAt(const QModelIndex& index) const;

signals:
    // A change the estimate took: the totals and the saved file follow.
    void committed();
    // An edit the estimate did not take, and why.
    void refused(const QString& reason);

private:
    using CellKey = std::pair<std::uint64_t, int>; // line id, column
    struct Refusal {
        QString text, reason;
    };

    EditResult edit(const EstimateLine& line, int column, std::u16string_view text);
    QString editText(const EstimateLine& line, int column) const;
    // Announces a header whose captions changed with the kinds of quantity.
    void followMix();
    void changed();

    Estimate* estimate_ = nullptr;
    QuantityMix mix_ = QuantityMix::Length;
    std::map<CellKey, Refusal> refusals_;
};

} // namespace tarvik
