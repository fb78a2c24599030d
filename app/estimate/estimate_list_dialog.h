#pragma once

// «Открыть…»: the kept estimates by name, one to open.

#include "app/estimate/estimate_keeper.h"

#include <QDialog>

class QListWidget;

namespace tarvik {

class EstimateListDialog : public QDialog {
    Q_OBJECT
public:
    EstimateListDialog(std::vector<EstimateEntry> entries, QWidget* parent);

    // The key of the estimate chosen; empty when none.
    std::u16string chosenKey() const;

private:
    std::vector<EstimateEntry> entries_;
    QListWidget* list_;
};

} // namespace tarvik
