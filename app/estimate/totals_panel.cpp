#include "app/estimate/totals_panel.h"

#include "app/qt_text.h"

#include <QGridLayout>
#include <QLabel>

namespace tarvik {
namespace {

constexpr EstimateColumn valueColumns[] = {EstimateColumn::Mass, EstimateColumn::Cost};

QLabel* plainLabel(const QString& text, QWidget* parent, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    // Labels carry user text (an estimate's name never reaches here, but a
    // caption must not turn into markup either).
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TotalsPanel::TotalsPanel(QWidget* parent) : QWidget(parent), grid_(new QGridLayout(this))
{
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(24);
    grid_->setVerticalSpacing(2);
    grid_->setColumnStretch(3, 1);
}

void TotalsPanel::showTotals(const Estimate& estimate)
{
    while (QLayoutItem* item = grid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    rows_.clear();
    const QuantityMix mix = quantityMix(estimate);
    int row = 0;
    for (std::size_t c = 0; c < std::size(valueColumns); ++c)
        grid_->addWidget(plainLabel(qs(columnCaption(valueColumns[c], mix)), this, Qt::AlignRight), row,
                         static_cast<int>(c) + 1);
    for (const TableRow& total : estimateTotalsRows(estimate)) {
        ++row;
        QStringList texts{qs(total[static_cast<std::size_t>(EstimateColumn::Name)])};
        QFont font = this->font();
        font.setBold(row == 1);
        QLabel* label = plainLabel(texts.front(), this, Qt::AlignLeft);
        label->setFont(font);
        grid_->addWidget(label, row, 0);
        for (std::size_t c = 0; c < std::size(valueColumns); ++c) {
            const QString value = qs(total[static_cast<std::size_t>(valueColumns[c])]);
            QLabel* cell = plainLabel(value, this, Qt::AlignRight);
            cell->setFont(font);
            grid_->addWidget(cell, row, static_cast<int>(c) + 1);
            if (!value.isEmpty())
                texts << value;
        }
        rows_ << texts.join(QStringLiteral(" | "));
    }
    setAccessibleDescription(rows_.join(u'\n'));
}

} // namespace tarvik
