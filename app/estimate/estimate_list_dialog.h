#pragma once

// «Открыть…»: the kept estimates by name, one to open; below them the
// deleted ones with the day each was deleted, to bring back, and the files
// that did not read with how many of their lines read, to recover.

#include "estimate/estimate_presenter.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace tarvik {

class EstimateListDialog : public QDialog {
    Q_OBJECT
public:
    enum class Group { Estimates, Deleted, Damaged };
    struct Choice {
        Group group = Group::Estimates;
        std::u16string id; // the estimate's key, or the kept copy's id; empty: none
    };

    explicit EstimateListDialog(std::vector<EstimateEntry> entries, QWidget* parent);
    // `deleted` dated in milliseconds since the epoch; a group left empty
    // is not shown.
    EstimateListDialog(std::vector<EstimateEntry> entries, std::vector<DeletedEstimate> deleted,
                       std::vector<DamagedEstimate> damaged, QWidget* parent);

    // The key of the estimate chosen; empty when none, or when the choice
    // is in another group.
    std::u16string chosenKey() const;
    Choice chosen() const;

private:
    QListWidget* addGroup(Group group, const QString& title, const QString& name, const QStringList& items);
    void follow(Group group);

    std::vector<EstimateEntry> entries_;
    std::vector<DeletedEstimate> deleted_;
    std::vector<DamagedEstimate> damaged_;
    QListWidget* lists_[3] = {};
    QPushButton* open_ = nullptr;
    QString openText_;
};

// «Открыть…»: what is chosen is opened, brought back or recovered.
void chooseEstimate(EstimatePresenter& presenter, QWidget* parent);

} // namespace tarvik
