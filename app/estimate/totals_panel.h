#pragma once

// The estimate's totals under its table: each totals row's label with its
// values under the captions of the columns they total.

#include "estimate/estimate_table.h"

#include <QStringList>
#include <QWidget>

class QGridLayout;

namespace tarvik {

class TotalsPanel : public QWidget {
public:
    explicit TotalsPanel(QWidget* parent);

    void showTotals(const Estimate& estimate);
    // Each row as shown, its texts joined by " | " (for tests and for
    // assistive technology).
    const QStringList& rows() const { return rows_; }

private:
    QGridLayout* grid_;
    QStringList rows_;
};

} // namespace tarvik
