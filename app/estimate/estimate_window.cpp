#include "app/estimate/estimate_window.h"

#include "app/error_guard.h"
#include "app/estimate/cell_editor.h"
#include "app/estimate/estimate_document.h"
#include "app/estimate/estimate_keeper.h"
#include "app/estimate/estimate_list_dialog.h"
#include "app/estimate/estimate_model.h"
#include "app/estimate/totals_panel.h"
#include "app/qt_text.h"
#include "app/window_placement.h"
#include "estimate/estimate_csv.h"
#include "estimate/estimate_table.h"
#include "number/entry_rules.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvik {
namespace {

QString text(Caption which)
{
    return qs(caption(which));
}

QPushButton* addButton(QBoxLayout* row, Caption which, const char* name)
{
    auto* button = new QPushButton(text(which));
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(button->text());
    // Enter presses a focused button as Space does.
    button->setAutoDefault(true);
    row->addWidget(button);
    return button;
}

// A title shows "[*]" as the window's modified mark; doubled it shows as
// typed.
QString literalTitle(QString title)
{
    return title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

// Initial widths that let a 1024-pixel screen show every column.
constexpr int columnWidths[estimateColumnCount] = {32, 160, 70, 80, 80, 80, 62, 80, 88, 88, 106};

bool writeFile(const QString& path, const QByteArray& bytes, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

EstimateWindow::EstimateWindow(EstimateKeeper& keeper, QWidget* parent)
    : QWidget(parent, Qt::Window), keeper_(keeper), model_(new EstimateModel(this))
{
    setObjectName(QStringLiteral("EstimateWindow"));
    // Closing the calculator ends the program; this window alone does not
    // keep it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    // The calculator's face at the desktop's size: both windows read alike,
    // and the program loads no second font for this one.
    QFont face = QApplication::font();
    face.setFamily(QStringLiteral("Liberation Sans"));
    setFont(face);
    chooseSavePath = [this](const QString& suggested, Caption title, Caption filter) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getSaveFileName(this, text(title), QDir(folder).filePath(suggested),
                                            text(filter));
    };
    confirm = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                        this);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    };
    buildControls();
    bindEvents();
    showEstimate();
    for (const auto& [text, error] : keeper_.takeStartMessages())
        say(text, error);
}

EstimateWindow::~EstimateWindow() = default;

void EstimateWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* documents = new QHBoxLayout;
    connect(addButton(documents, Caption::NewEstimate, "newEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { keeper_.create(); }));
    connect(addButton(documents, Caption::OpenEstimate, "openEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { openList(); }));
    connect(addButton(documents, Caption::RenameEstimate, "renameEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { renameEstimate(); }));
    connect(addButton(documents, Caption::DuplicateEstimate, "duplicateEstimate"), &QPushButton::clicked,
            this, guarded(this, [this] { keeper_.duplicate(); }));
    connect(addButton(documents, Caption::DeleteEstimate, "deleteEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { deleteEstimate(); }));
    documents->addStretch();
    layout->addLayout(documents);

    auto* lines = new QHBoxLayout;
    connect(addButton(lines, Caption::DeleteLine, "deleteLine"), &QPushButton::clicked, this,
            guarded(this, [this] { deleteCurrentLine(); }));
    connect(addButton(lines, Caption::ClearEstimate, "clearEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { model_->clearLines(); }));
    undo_ = addButton(lines, Caption::UndoEstimate, "undoEstimate");
    connect(undo_, &QPushButton::clicked, this, guarded(this, [this] { undo(); }));
    // Its place is kept while hidden, so nothing jumps when it shows.
    QSizePolicy keepPlace = undo_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    undo_->setSizePolicy(keepPlace);
    lines->addStretch();
    connect(addButton(lines, Caption::CopyTable, "copyTable"), &QPushButton::clicked, this,
            guarded(this, [this] { copyTable(); }));
    connect(addButton(lines, Caption::SaveCsv, "saveCsv"), &QPushButton::clicked, this,
            guarded(this, [this] { saveCsv(); }));
    connect(addButton(lines, Caption::PrintDialog, "print"), &QPushButton::clicked, this,
            guarded(this, [this] { print(); }));
    connect(addButton(lines, Caption::SavePdf, "savePdf"), &QPushButton::clicked, this,
            guarded(this, [this] { savePdf(); }));
    layout->addLayout(lines);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("estimateTable"));
    table_->setAccessibleName(text(Caption::EstimateTableName));
    table_->setModel(model_);
    auto* delegate = new CellDelegate([this] { return keeper_.estimate().separator(); }, table_);
    table_->setItemDelegate(delegate);
    connect(delegate, &CellDelegate::refusedKey, this, &EstimateWindow::sayKeyReason);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    // Tab leaves the table for the controls below it; arrows move between
    // cells, and Tab in an open editor still commits and moves on.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    QHeaderView* header = table_->horizontalHeader();
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    header->setMinimumHeight(2 * fontMetrics().height() + 8);
    for (std::size_t c = 0; c < estimateColumnCount; ++c)
        table_->setColumnWidth(static_cast<int>(c), columnWidths[c]);
    header->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    auto* vat = new QHBoxLayout;
    auto* vatLabel = new QLabel(text(Caption::VatRate), this);
    vatRate_ = new CellEdit(this, keeper_.estimate().separator(), 2);
    vatRate_->setObjectName(QStringLiteral("vatRate"));
    vatRate_->setAccessibleName(text(Caption::VatRate));
    vatRate_->setMaximumWidth(70);
    vatLabel->setBuddy(vatRate_);
    pricesIncludeVat_ = new QCheckBox(text(Caption::PricesIncludeVat), this);
    pricesIncludeVat_->setObjectName(QStringLiteral("pricesIncludeVat"));
    pricesIncludeVat_->setAccessibleName(pricesIncludeVat_->text());
    vat->addWidget(vatLabel);
    vat->addWidget(vatRate_);
    vat->addSpacing(16);
    vat->addWidget(pricesIncludeVat_);
    vat->addStretch();
    layout->addLayout(vat);

    totals_ = new TotalsPanel(this);
    totals_->setObjectName(QStringLiteral("estimateTotals"));
    totals_->setAccessibleName(text(Caption::EstimateTotalsName));
    layout->addWidget(totals_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("estimateStatus"));
    status_->setAccessibleName(text(Caption::EstimateStatusName));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    layout->addWidget(status_);
    statusTimer_ = new QTimer(this);
    statusTimer_->setSingleShot(true);
    statusTimer_->setInterval(inputHintMilliseconds);
    connect(statusTimer_, &QTimer::timeout, status_, &QLabel::clear);
}

void EstimateWindow::bindEvents()
{
    connect(model_, &EstimateModel::committed, this, guarded(this, [this] { afterCommit(); }));
    connect(model_, &EstimateModel::refused, this,
            guarded<const QString&>(this, [this](const QString& reason) { say(reason, true); }));
    connect(&keeper_, &EstimateKeeper::switched, this, guarded(this, [this] { showEstimate(); }));
    connect(&keeper_, &EstimateKeeper::message, this,
            guarded<const QString&, bool>(this, [this](const QString& m, bool error) { say(m, error); }));
    connect(vatRate_, &QLineEdit::editingFinished, this, guarded(this, [this] { commitVatRate(); }));
    connect(vatRate_, &CellEdit::refusedKey, this, &EstimateWindow::sayKeyReason);
    connect(pricesIncludeVat_, &QCheckBox::toggled, this,
            guarded<bool>(this, [this](bool on) { model_->setPricesIncludeVat(on); }));

    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, this, guarded(this, [this] { undo(); }));
    // Delete empties the chosen cell, as in a spreadsheet; a line goes only
    // on purpose: its button or Ctrl+Delete.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, table_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, guarded(this, [this] { emptyCurrentCell(); }));
    auto* deleteLineKey =
        new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), table_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteLineKey, &QShortcut::activated, this, guarded(this, [this] { deleteCurrentLine(); }));
}

QString EstimateWindow::statusText() const
{
    return status_->text();
}

void EstimateWindow::say(const QString& message, bool error)
{
    statusTimer_->stop();
    status_->setText(message);
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText,
                     error ? QColor(0xB0, 0x00, 0x20) : this->palette().color(QPalette::WindowText));
    status_->setPalette(palette);
}

void EstimateWindow::sayKeyReason(const QString& reason)
{
    say(reason, false);
    statusTimer_->start();
}

void EstimateWindow::updateTitle()
{
    setWindowTitle(literalTitle(qs(captionWith(Caption::EstimateWindowTitle, keeper_.estimate().name()))));
}

void EstimateWindow::showEstimate()
{
    Estimate& e = keeper_.estimate();
    model_->setEstimate(&e);
    {
        const QSignalBlocker block(pricesIncludeVat_);
        pricesIncludeVat_->setChecked(e.pricesIncludeVat());
    }
    vatRate_->setText(qs(vatRateText(e.vatRate(), e.separator())));
    totals_->showTotals(e);
    undo_->setVisible(e.canUndo());
    updateTitle();
}

void EstimateWindow::afterCommit()
{
    const Estimate& e = keeper_.estimate();
    totals_->showTotals(e);
    undo_->setVisible(e.canUndo());
    if (!statusTimer_->isActive())
        status_->clear();
    keeper_.saveSoon();
}

void EstimateWindow::addLine(const Calculation& calculation)
{
    const EditResult added = model_->add(calculation);
    present();
    if (!added)
        return;
    if (const auto row = keeper_.estimate().rowOf(added.id)) {
        const QModelIndex at = model_->index(static_cast<int>(*row), 0);
        table_->setCurrentIndex(at);
        table_->selectRow(at.row());
        table_->scrollTo(at);
    }
    table_->setFocus(Qt::OtherFocusReason);
}

void EstimateWindow::present()
{
    if (!placed_) {
        placed_ = true;
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        // Room for a window manager's frame and title bar on a 1024 × 768
        // screen.
        resize(std::min(1000, area.width() - 16), std::min(620, area.height() - 48));
        const QPoint wanted = area.topLeft();
        placeWindow(*this, wanted);
        new FramePlacer(*this, wanted);
    }
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    keeper_.setWindowOpen(true);
}

void EstimateWindow::closeWithProgram()
{
    programEnding_ = true;
    close();
}

void EstimateWindow::closeEvent(QCloseEvent* event)
{
    // A change still waiting to be saved is saved now.
    keeper_.saveNow();
    if (!programEnding_)
        keeper_.setWindowOpen(false);
    QWidget::closeEvent(event);
}

void EstimateWindow::deleteCurrentLine()
{
    const int row = table_->currentIndex().row();
    if (row < 0 || !model_->removeLine(row))
        return;
    const int next = std::min(row, model_->rowCount() - 1);
    if (next >= 0)
        table_->selectRow(next);
}

void EstimateWindow::emptyCurrentCell()
{
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid())
        return;
    const std::optional<EstimateColumn> emptied =
        columnEmptiedByDelete(static_cast<EstimateColumn>(current.column()));
    if (emptied)
        model_->setData(current.siblingAtColumn(static_cast<int>(*emptied)), QString(), Qt::EditRole);
}

void EstimateWindow::undo()
{
    model_->undo();
}

void EstimateWindow::commitVatRate()
{
    const Estimate& e = keeper_.estimate();
    const QString shown = qs(vatRateText(e.vatRate(), e.separator()));
    QPalette palette = vatRate_->palette();
    if (vatRate_->text() != shown && !model_->setVatRate(u16view(vatRate_->text()))) {
        palette.setColor(QPalette::Text, QColor(0xB0, 0x00, 0x20));
        vatRate_->setPalette(palette);
        vatRate_->setAccessibleDescription(qs(caption(Caption::BadVatRate)));
        return;
    }
    vatRate_->setPalette(QPalette());
    vatRate_->setAccessibleDescription({});
    vatRate_->setText(qs(vatRateText(e.vatRate(), e.separator())));
}

void EstimateWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(qs(estimateTabText(keeper_.estimate())));
    say(text(Caption::TableCopied), false);
}

bool EstimateWindow::writeCsv(const QString& path)
{
    const std::string bytes = estimateCsv(keeper_.estimate());
    QString error;
    if (!writeFile(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), error)) {
        say(qs(captionWith(Caption::FileNotWritten, u16view(error))), true);
        return false;
    }
    say(qs(captionWith(Caption::FileWritten, u16view(QDir::toNativeSeparators(path)))), false);
    return true;
}

bool EstimateWindow::writePdf(const QString& path)
{
    QString error;
    if (!writeFile(path, estimatePdf(keeper_.estimate(), today()), error)) {
        say(qs(captionWith(Caption::FileNotWritten, u16view(error))), true);
        return false;
    }
    say(qs(captionWith(Caption::FileWritten, u16view(QDir::toNativeSeparators(path)))), false);
    return true;
}

void EstimateWindow::saveCsv()
{
    const QString path = chooseSavePath(qs(csvFileName(keeper_.estimate().name(), today())), Caption::SaveCsv,
                                        Caption::CsvFileFilter);
    if (!path.isEmpty())
        writeCsv(path);
}

void EstimateWindow::savePdf()
{
    QString suggested = qs(csvFileName(keeper_.estimate().name(), today()));
    suggested.chop(3);
    suggested += QStringLiteral("pdf");
    const QString path = chooseSavePath(suggested, Caption::SavePdf, Caption::PdfFileFilter);
    if (!path.isEmpty())
        writePdf(path);
}

void EstimateWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(qs(captionWith(Caption::PrintedTitle, keeper_.estimate().name())));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(text(Caption::PrintDialog));
    if (dialog.exec() == QDialog::Accepted)
        printEstimate(keeper_.estimate(), today(), printer);
}

void EstimateWindow::openList()
{
    EstimateListDialog dialog(keeper_.entries(), this);
    if (dialog.exec() == QDialog::Accepted && !dialog.chosenKey().empty())
        keeper_.open(dialog.chosenKey());
}

void EstimateWindow::renameEstimate()
{
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, text(Caption::RenameEstimate), text(Caption::RenamePrompt),
                              QLineEdit::Normal, qs(keeper_.estimate().name()), &ok);
    if (!ok)
        return;
    if (const std::u16string refused = keeper_.rename(name.toStdU16String()); !refused.empty())
        say(qs(refused), true);
}

void EstimateWindow::deleteEstimate()
{
    if (confirm(qs(captionWith(Caption::DeleteEstimateQuestion, keeper_.estimate().name()))))
        keeper_.removeOpen();
}

} // namespace tarvik
