#include "app/estimate/estimate_list_dialog.h"

#include "app/qt_text.h"
#include "estimate/file_names.h"
#include "number/count_text.h"
#include "text/captions.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarvik {
namespace {

QString deletedText(const DeletedEstimate& d)
{
    const QDate day = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(d.deletedAt)).date();
    return qs(EstimatePresenter::deletedText(d, {day.year(), day.month(), day.day()}));
}

QString damagedText(const DamagedEstimate& d)
{
    return qs(EstimatePresenter::damagedText(d));
}

} // namespace

EstimateListDialog::EstimateListDialog(std::vector<EstimateEntry> entries, QWidget* parent)
    : EstimateListDialog(std::move(entries), {}, {}, parent)
{
}

EstimateListDialog::EstimateListDialog(std::vector<EstimateEntry> entries,
                                       std::vector<DeletedEstimate> deleted,
                                       std::vector<DamagedEstimate> damaged, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)), deleted_(std::move(deleted)),
      damaged_(std::move(damaged))
{
    setObjectName(QStringLiteral("estimateList"));
    setWindowTitle(qs(caption(Caption::EstimateListTitle)));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    open_ = buttons->button(QDialogButtonBox::Open);
    openText_ = open_->text();

    QStringList items;
    for (const EstimateEntry& entry : entries_)
        items << qs(entry.name);
    // Headed only where other groups follow it.
    const QString estimates = qs(caption(Caption::EstimateListName));
    addGroup(Group::Estimates, deleted_.empty() && damaged_.empty() ? QString() : estimates, estimates,
             items);
    lists_[0]->setObjectName(QStringLiteral("estimateNames"));
    items.clear();
    for (const DeletedEstimate& d : deleted_)
        items << deletedText(d);
    addGroup(Group::Deleted, qs(caption(Caption::DeletedGroup)), qs(caption(Caption::DeletedListName)),
             items);
    items.clear();
    for (const DamagedEstimate& d : damaged_)
        items << damagedText(d);
    addGroup(Group::Damaged, qs(caption(Caption::DamagedGroup)), qs(caption(Caption::DamagedListName)),
             items);

    if (!entries_.empty())
        lists_[0]->setCurrentRow(0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, deleted_.empty() && damaged_.empty() ? 360 : 480);
}

QListWidget* EstimateListDialog::addGroup(Group group, const QString& title, const QString& name,
                                          const QStringList& items)
{
    auto* list = new QListWidget(this);
    lists_[static_cast<int>(group)] = list;
    list->setAccessibleName(name);
    // List items show their text as it is: names are never markup.
    list->addItems(items);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    if (!title.isEmpty()) {
        // A group with nothing in it is not shown.
        if (items.isEmpty() && group != Group::Estimates) {
            list->hide();
            return list;
        }
        auto* heading = new QLabel(title, this);
        heading->setTextFormat(Qt::PlainText);
        heading->setBuddy(list);
        layout->addWidget(heading);
    }
    layout->addWidget(list, group == Group::Estimates ? 3 : 1);
    connect(list, &QListWidget::currentRowChanged, this, [this, group](int row) {
        if (row >= 0)
            follow(group);
    });
    connect(list, &QListWidget::itemActivated, this, &QDialog::accept);
    return list;
}

// One choice in the three lists: a row chosen in one leaves the others,
// and the button says what choosing it does.
void EstimateListDialog::follow(Group group)
{
    for (int i = 0; i < 3; ++i) {
        if (i != static_cast<int>(group) && lists_[i]) {
            const QSignalBlocker quiet(lists_[i]);
            lists_[i]->clearSelection();
            lists_[i]->setCurrentRow(-1);
        }
    }
    open_->setText(group == Group::Estimates ? openText_ : qs(caption(Caption::RestoreEstimate)));
}

EstimateListDialog::Choice EstimateListDialog::chosen() const
{
    for (int i = 0; i < 3; ++i) {
        const QListWidget* list = lists_[i];
        const int row = list->currentRow();
        if (row < 0 || !list->currentItem() || !list->currentItem()->isSelected())
            continue;
        const auto at = static_cast<std::size_t>(row);
        switch (static_cast<Group>(i)) {
        case Group::Estimates:
            return {Group::Estimates, entries_[at].key};
        case Group::Deleted:
            return {Group::Deleted, deleted_[at].id};
        case Group::Damaged:
            return {Group::Damaged, damaged_[at].id};
        }
    }
    return {};
}

std::u16string EstimateListDialog::chosenKey() const
{
    const Choice choice = chosen();
    return choice.group == Group::Estimates ? choice.id : std::u16string();
}

void chooseEstimate(EstimatePresenter& presenter, QWidget* parent)
{
    EstimateListDialog dialog(presenter.entries(), presenter.deletedEstimates(), presenter.damagedEstimates(),
                              parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const EstimateListDialog::Choice choice = dialog.chosen();
    if (choice.id.empty())
        return;
    switch (choice.group) {
    case EstimateListDialog::Group::Estimates:
        presenter.open(choice.id);
        break;
    case EstimateListDialog::Group::Deleted:
        presenter.restoreDeleted(choice.id);
        break;
    case EstimateListDialog::Group::Damaged:
        presenter.recoverDamaged(choice.id);
        break;
    }
}

} // namespace tarvik
