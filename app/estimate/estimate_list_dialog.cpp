#include "app/estimate/estimate_list_dialog.h"

#include "app/qt_text.h"
#include "text/captions.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace tarvik {

EstimateListDialog::EstimateListDialog(std::vector<EstimateEntry> entries, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)), list_(new QListWidget(this))
{
    setObjectName(QStringLiteral("estimateList"));
    setWindowTitle(qs(caption(Caption::EstimateListTitle)));
    list_->setObjectName(QStringLiteral("estimateNames"));
    list_->setAccessibleName(qs(caption(Caption::EstimateListName)));
    // List items show their text as it is: names are never markup.
    for (const EstimateEntry& entry : entries_)
        list_->addItem(qs(entry.name));
    if (!entries_.empty())
        list_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(420, 360);
}

std::u16string EstimateListDialog::chosenKey() const
{
    const int row = list_->currentRow();
    if (row < 0 || !list_->currentItem() || !list_->currentItem()->isSelected())
        return {};
    return entries_[static_cast<std::size_t>(row)].key;
}

} // namespace tarvik
