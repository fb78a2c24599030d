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
#include "estimate/estimate_cells.h"
#include "estimate/estimate_csv.h"
#include "estimate/estimate_file.h"
#include "estimate/estimate_table.h"
#include "number/entry_rules.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
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

const QColor errorColor(0xB0, 0x00, 0x20);

// Initial widths that let a 1024-pixel screen show every column.
constexpr int columnWidths[estimateColumnCount] = {32, 150, 70, 80, 80, 80, 62, 80, 88, 88, 44, 106};

// The local file among what is dragged over the window: one, or none.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    return data->urls().first().toLocalFile();
}

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
    : QWidget(parent, Qt::Window), keeper_(keeper), presenter_(keeper.library(), *this),
      model_(new EstimateModel(presenter_, this))
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
    chooseOpenPath = [this](Caption title, Caption filter) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getOpenFileName(this, text(title), folder, text(filter));
    };
    // A file dropped anywhere on the window, the table included.
    setAcceptDrops(true);
    model_->commit = [this](std::uint64_t id, EstimateColumn column, std::u16string_view text) {
        return presenter_.commitCell(id, column, text);
    };
    buildControls();
    bindEvents();
    showEstimate();
    showCommands(presenter_.commands());
    for (const auto& [text, error] : keeper_.takeStartMessages())
        say(text, error);
}

EstimateWindow::~EstimateWindow()
{
    keeper_.listener = nullptr;
}

void EstimateWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* documents = new QHBoxLayout;
    connect(addButton(documents, Caption::NewEstimate, "newEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { presenter_.create(); }));
    connect(addButton(documents, Caption::OpenEstimate, "openEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { openList(); }));
    connect(addButton(documents, Caption::RenameEstimate, "renameEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { renameEstimate(); }));
    connect(addButton(documents, Caption::DuplicateEstimate, "duplicateEstimate"), &QPushButton::clicked,
            this, guarded(this, [this] { presenter_.duplicate(); }));
    connect(addButton(documents, Caption::DeleteEstimate, "deleteEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { presenter_.deleteEstimate(); }));
    connect(addButton(documents, Caption::ExportEstimateFile, "exportEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { exportEstimate(); }));
    connect(addButton(documents, Caption::ImportEstimateFile, "importEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { importEstimate(); }));
    documents->addStretch();
    layout->addLayout(documents);

    auto* lines = new QHBoxLayout;
    connect(addButton(lines, Caption::DeleteLine, "deleteLine"), &QPushButton::clicked, this,
            guarded(this, [this] { deleteCurrentLine(); }));
    connect(addButton(lines, Caption::ClearEstimate, "clearEstimate"), &QPushButton::clicked, this,
            guarded(this, [this] { presenter_.clear(); }));
    undo_ = addButton(lines, Caption::UndoEstimate, "undoEstimate");
    connect(undo_, &QPushButton::clicked, this, guarded(this, [this] { presenter_.undo(); }));
    redo_ = addButton(lines, Caption::RedoEstimate, "redoEstimate");
    connect(redo_, &QPushButton::clicked, this, guarded(this, [this] { presenter_.redo(); }));
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

    // Above the table, where the user is looking; its line kept while
    // empty, so that nothing moves as messages come and go.
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("estimateStatus"));
    status_->setAccessibleName(text(Caption::EstimateStatusName));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setMinimumHeight(fontMetrics().lineSpacing());
    layout->addWidget(status_);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("estimateTable"));
    table_->setAccessibleName(text(Caption::EstimateTableName));
    table_->setModel(model_);
    auto* delegate = new CellDelegate([this] { return presenter_.estimate().separator(); }, table_);
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
    vatRate_ = new CellEdit(this, presenter_.estimate().separator(), vatRateDecimals);
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

    statusTimer_ = new QTimer(this);
    statusTimer_->setSingleShot(true);
    statusTimer_->setInterval(inputHintMilliseconds);
    connect(statusTimer_, &QTimer::timeout, status_, &QLabel::clear);
}

void EstimateWindow::bindEvents()
{
    // What the keeper's saves and its watch of the folder bring: another
    // process's changes, a refused write.
    keeper_.listener = [this](bool merged) { presenter_.stored(merged); };
    connect(vatRate_, &QLineEdit::editingFinished, this, guarded(this, [this] { commitVatRate(); }));
    connect(vatRate_, &CellEdit::refusedKey, this, &EstimateWindow::sayKeyReason);
    connect(pricesIncludeVat_, &QCheckBox::toggled, this,
            guarded<bool>(this, [this](bool on) { presenter_.setPricesIncludeVat(on); }));

    // Outside a cell being edited; inside one the editor undoes its typing,
    // as in a spreadsheet (it takes these keys first).
    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, this, guarded(this, [this] { presenter_.undo(); }));
    // Both redo keys, whichever the platform's own is: one shortcut per key,
    // as two of one key would cancel each other out.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        auto* redoKey = new QShortcut(keys, this);
        connect(redoKey, &QShortcut::activated, this, guarded(this, [this] { presenter_.redo(); }));
    }
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
    palette.setColor(QPalette::WindowText, error ? errorColor : this->palette().color(QPalette::WindowText));
    status_->setPalette(palette);
}

void EstimateWindow::sayKeyReason(const QString& reason)
{
    say(reason, false);
    statusTimer_->start();
}

void EstimateWindow::showEstimate()
{
    // A title shows "[*]" as the window's modified mark; doubled it shows as
    // typed.
    setWindowTitle(qs(presenter_.windowTitle()).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    showRows();
    showSettings();
    table_->scrollToTop();
}

void EstimateWindow::showRows()
{
    model_->rowsChanged();
    totals_->showTotals(presenter_.estimate());
}

void EstimateWindow::showLine(std::size_t row)
{
    model_->lineChanged(static_cast<int>(row));
    totals_->showTotals(presenter_.estimate());
}

void EstimateWindow::showSettings()
{
    {
        const QSignalBlocker block(pricesIncludeVat_);
        pricesIncludeVat_->setChecked(presenter_.pricesIncludeVat());
    }
    if (!vatRate_->hasFocus() || vatRate_->accessibleDescription().isEmpty()) {
        vatRate_->setText(qs(presenter_.vatRateText()));
        vatRate_->setPalette(QPalette());
        vatRate_->setAccessibleDescription({});
    }
    totals_->showTotals(presenter_.estimate());
}

void EstimateWindow::chooseLine(std::size_t row)
{
    const QModelIndex at = model_->index(static_cast<int>(row), 0);
    table_->setCurrentIndex(at);
    table_->selectRow(at.row());
    table_->scrollTo(at);
}

void EstimateWindow::showCommands(const EstimateCommands& commands)
{
    undo_->setEnabled(commands.canUndo);
    undo_->setAccessibleDescription(qs(commands.undoText));
    undo_->setToolTip(qs(commands.undoText));
    redo_->setEnabled(commands.canRedo);
    redo_->setAccessibleDescription(qs(commands.redoText));
    redo_->setToolTip(qs(commands.redoText));
}

void EstimateWindow::showMessage(std::u16string_view text, EstimateTone tone)
{
    if (tone == EstimateTone::Hint)
        sayKeyReason(qs(text));
    else
        say(qs(text), tone == EstimateTone::Error);
}

void EstimateWindow::saveSoon()
{
    if (!statusTimer_->isActive())
        status_->clear();
    keeper_.saveSoon();
}

void EstimateWindow::addLine(const Calculation& calculation)
{
    presenter_.add(calculation);
    present();
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

std::optional<std::uint64_t> EstimateWindow::currentLine() const
{
    const int row = table_->currentIndex().row();
    if (row < 0 || static_cast<std::size_t>(row) >= presenter_.rowCount())
        return std::nullopt;
    return presenter_.lineId(static_cast<std::size_t>(row));
}

void EstimateWindow::deleteCurrentLine()
{
    if (const std::optional<std::uint64_t> line = currentLine())
        presenter_.deleteLine(*line);
}

void EstimateWindow::emptyCurrentCell()
{
    if (const std::optional<std::uint64_t> line = currentLine())
        presenter_.emptyCell(*line, EstimateModel::columnOf(table_->currentIndex().column()));
}

void EstimateWindow::commitVatRate()
{
    if (presenter_.commitVatRate(u16view(vatRate_->text()))) {
        vatRate_->setPalette(QPalette());
        vatRate_->setAccessibleDescription({});
        vatRate_->setText(qs(presenter_.vatRateText()));
        return;
    }
    QPalette palette = vatRate_->palette();
    palette.setColor(QPalette::Text, errorColor);
    vatRate_->setPalette(palette);
    vatRate_->setAccessibleDescription(statusText());
}

void EstimateWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(qs(estimateTabText(presenter_.estimate())));
    say(text(Caption::TableCopied), false);
}

bool EstimateWindow::writeAndSay(const QString& path, const QByteArray& bytes)
{
    QString error;
    if (!writeFile(path, bytes, error)) {
        say(qs(captionWith(Caption::FileNotWritten, u16view(error))), true);
        return false;
    }
    say(qs(captionWith(Caption::FileWritten, u16view(QDir::toNativeSeparators(path)))), false);
    return true;
}

bool EstimateWindow::writeCsv(const QString& path)
{
    const std::string bytes = estimateCsv(presenter_.estimate());
    return writeAndSay(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool EstimateWindow::writePdf(const QString& path)
{
    return writeAndSay(path, estimatePdf(presenter_.estimate(), today()));
}

void EstimateWindow::saveCsv()
{
    const QString path = chooseSavePath(qs(presenter_.fileName(ExportFile::Csv, today())), Caption::SaveCsv,
                                        Caption::CsvFileFilter);
    if (!path.isEmpty())
        writeCsv(path);
}

void EstimateWindow::savePdf()
{
    const QString path = chooseSavePath(qs(presenter_.fileName(ExportFile::Pdf, today())), Caption::SavePdf,
                                        Caption::PdfFileFilter);
    if (!path.isEmpty())
        writePdf(path);
}

bool EstimateWindow::writeEstimateFile(const QString& path)
{
    const std::string bytes = presenter_.exportFile().bytes;
    return writeAndSay(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void EstimateWindow::exportEstimate()
{
    const QString path = chooseSavePath(qs(presenter_.exportFile().name), Caption::ExportEstimateFile,
                                        Caption::EstimateFileFilter);
    if (!path.isEmpty())
        writeEstimateFile(path);
}

bool EstimateWindow::importEstimateFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        say(qs(captionWith(Caption::FileNotRead, u16view(file.errorString()))), true);
        return false;
    }
    // One byte past the largest file the core reads: more is refused
    // without reading a hostile file whole.
    const QByteArray bytes = file.read(static_cast<qint64>(maxEstimateFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        say(qs(captionWith(Caption::FileNotRead, u16view(file.errorString()))), true);
        return false;
    }
    return presenter_.importFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                 u16view(QFileInfo(path).fileName()));
}

void EstimateWindow::importEstimate()
{
    const QString path = chooseOpenPath(Caption::ImportEstimateFile, Caption::EstimateFileFilter);
    if (!path.isEmpty())
        importEstimateFile(path);
}

void EstimateWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void EstimateWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    guarded(this, [this, path] { importEstimateFile(path); })();
}

void EstimateWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(qs(presenter_.printedTitle()));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(text(Caption::PrintDialog));
    if (dialog.exec() == QDialog::Accepted)
        printEstimate(presenter_.estimate(), today(), printer);
}

void EstimateWindow::openList()
{
    chooseEstimate(presenter_, this);
}

void EstimateWindow::renameEstimate()
{
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, text(Caption::RenameEstimate), text(Caption::RenamePrompt),
                              QLineEdit::Normal, qs(presenter_.name()), &ok);
    if (ok)
        presenter_.rename(u16view(name));
}

} // namespace tarvik
