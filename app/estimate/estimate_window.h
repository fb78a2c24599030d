#pragma once

// The estimate («Смета») in a window of its own beside the calculator: the
// lines in a table whose number cells are edited in place, the totals under
// it, the VAT settings, the estimates kept by name, and export to the
// clipboard, CSV, the printer and PDF.

#include "estimate/estimate_presenter.h"
#include "number/quantity.h"
#include "text/captions.h"

#include <QWidget>

#include <functional>
#include <optional>

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

// The window shows what the core's presenter tells it and forwards what the
// user does to it.
class EstimateWindow : public QWidget, private EstimateView {
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
    EstimatePresenter& presenter() { return presenter_; }
    EstimateModel& model() { return *model_; }
    QTableView& table() { return *table_; }
    const TotalsPanel& totals() const { return *totals_; }
    QString statusText() const;

    // Asks where to write an export: the suggested file name, the dialog's
    // title and its file filter; empty when the user declines. A file
    // dialog unless replaced (tests).
    std::function<QString(const QString&, Caption, Caption)> chooseSavePath;
    // Asks which file to open, by the dialog's title and its file filter;
    // empty when the user declines. A file dialog unless replaced (tests).
    std::function<QString(Caption, Caption)> chooseOpenPath;
    bool writeCsv(const QString& path);
    bool writePdf(const QString& path);
    bool writeEstimateFile(const QString& path);
    // A file brought in as a new estimate: chosen, or dropped on the window.
    bool importEstimateFile(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What the presenter has shown.
    void showEstimate() override;
    void showRows() override;
    void showLine(std::size_t row) override;
    void showSettings() override;
    void chooseLine(std::size_t row) override;
    void showCommands(const EstimateCommands& commands) override;
    void showMessage(std::u16string_view text, EstimateTone tone) override;
    void saveSoon() override;

    // Writes an export, and says where, or why not.
    bool writeAndSay(const QString& path, const QByteArray& bytes);
    void buildControls();
    void bindEvents();
    void say(const QString& text, bool error);
    void sayKeyReason(const QString& reason);
    // The line of the chosen cell; none when no line is chosen.
    std::optional<std::uint64_t> currentLine() const;
    void deleteCurrentLine();
    void emptyCurrentCell();
    void commitVatRate();
    void copyTable();
    void saveCsv();
    void print();
    void savePdf();
    void exportEstimate();
    void importEstimate();
    void openList();
    void renameEstimate();

    EstimateKeeper& keeper_;
    EstimatePresenter presenter_;
    EstimateModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    TotalsPanel* totals_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* statusTimer_ = nullptr;
    CellEdit* vatRate_ = nullptr;
    QCheckBox* pricesIncludeVat_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
    bool placed_ = false;
    bool programEnding_ = false;
};

} // namespace tarvik
