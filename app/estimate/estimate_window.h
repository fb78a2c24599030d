#pragma once

// The estimate («Смета») in a window of its own beside the calculator: the
// lines in a table whose number cells are edited in place, the totals under
// it, the VAT settings, the estimates kept by name, and export to the
// clipboard, CSV, the printer and PDF.

#include "number/quantity.h"
#include "text/captions.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace tarvik {

class CellEdit;
class EstimateKeeper;
class EstimateModel;
class TotalsPanel;

class EstimateWindow : public QWidget {
    Q_OBJECT
public:
    explicit EstimateWindow(EstimateKeeper& keeper, QWidget* parent = nullptr);
    ~EstimateWindow() override;

    // Adds what «Расчитать» computed as a line, brings the window to the
    // front and selects the line.
    void addLine(const Calculation& calculation);
    // Shows the window in front of the others, placed on the screen the
    // first time.
    void present();
    // Closes the window as the program ends: it opens again at the next
    // start.
    void closeWithProgram();

    EstimateKeeper& keeper() { return keeper_; }
    EstimateModel& model() { return *model_; }
    QTableView& table() { return *table_; }
    const TotalsPanel& totals() const { return *totals_; }
    QString statusText() const;

    // Asks where to write an export: the suggested file name, the dialog's
    // title and its file filter; empty when the user declines. A file
    // dialog unless replaced (tests).
    std::function<QString(const QString&, Caption, Caption)> chooseSavePath;
    // Asks whether the open estimate may be deleted. A message box unless
    // replaced (tests).
    std::function<bool(const QString& question)> confirm;

    bool writeCsv(const QString& path);
    bool writePdf(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void bindEvents();
    // The estimate shown anew: after another was opened or a merge.
    void showEstimate();
    // After each change the estimate took.
    void afterCommit();
    void say(const QString& text, bool error);
    void sayKeyReason(const QString& reason);
    void updateTitle();
    void deleteCurrentLine();
    void emptyCurrentCell();
    void undo();
    void commitVatRate();
    void copyTable();
    void saveCsv();
    void print();
    void savePdf();
    void openList();
    void renameEstimate();
    void deleteEstimate();

    EstimateKeeper& keeper_;
    EstimateModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    TotalsPanel* totals_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* statusTimer_ = nullptr;
    CellEdit* vatRate_ = nullptr;
    QCheckBox* pricesIncludeVat_ = nullptr;
    QPushButton* undo_ = nullptr;
    bool placed_ = false;
    bool programEnding_ = false;
};

} // namespace tarvik
