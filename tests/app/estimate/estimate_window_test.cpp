// The estimate as a user meets it on the desktop: «Смета» and «В смету»
// beside «Расчитать», the estimate's window, its cells, totals, undo and
// the files it keeps. Run on an offscreen 1024 × 768 screen with a
// temporary data folder.

#include "app/estimate/cell_editor.h"
#include "app/estimate/estimate_keeper.h"
#include "app/estimate/estimate_list_dialog.h"
#include "app/estimate/estimate_model.h"
#include "app/estimate/estimate_window.h"
#include "app/estimate/totals_panel.h"
#include "app/form1.h"
#include "app/kinds_list.h"
#include "estimate/estimate_csv.h"
#include "tests/app/find_control.h"
#include "tests/estimate/estimate_cases.h"

#include "text/captions.h"
#include <QSignalSpy>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <optional>

using namespace tarvik;

namespace {

QString text(Caption which)
{
    return QString::fromStdU16String(std::u16string(caption(which)));
}

QString dataFolder()
{
    return FileStorage::defaultFolder();
}

// Whether the estimate's window existed when the calculator was first painted.
class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(TForm1& form) : form_(form) { form.installEventFilter(this); }
    std::optional<bool> estimateWindowAtFirstPaint;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !estimateWindowAtFirstPaint)
            estimateWindowAtFirstPaint = form_.hasEstimateWindow();
        return false;
    }

private:
    TForm1& form_;
};

} // namespace

class EstimateWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> form;

    template <class T> T* find(const char* name) const
    {
        return tarvik::testing::findControl<T>(form.get(), QString::fromLatin1(name));
    }
    template <class T> T* inEstimate(const char* name)
    {
        return tarvik::testing::findControl<T>(&form->estimateWindow(), QString::fromLatin1(name));
    }
    EstimateWindow& window() { return form->estimateWindow(); }
    EstimateModel& model() { return window().model(); }
    QString cell(int row, EstimateColumn column)
    {
        return model().index(row, static_cast<int>(column)).data().toString();
    }
    QModelIndex at(int row, EstimateColumn column) { return model().index(row, static_cast<int>(column)); }

    void chooseRebar(int row = 0)
    {
        QTest::mouseClick(find<QPushButton>("sButton1"), Qt::LeftButton);
        auto* list = find<KindsList>("sListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
        QTest::mouseClick(find<QRadioButton>("sRadioGroupItem0"), Qt::LeftButton, {}, QPoint(8, 12));
    }
    // «Расчитать» for size `sizeIndex` of the list and `number` metres.
    void calculate(int sizeIndex, const QString& number)
    {
        auto* sizes = find<QComboBox>("sComboBoxElement");
        sizes->setCurrentIndex(sizeIndex);
        emit sizes->activated(sizeIndex);
        auto* edit = find<QLineEdit>("sEditParam");
        edit->setText(number);
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
    }
    void addRebar(int sizeIndex, const QString& number)
    {
        calculate(sizeIndex, number);
        QTest::mouseClick(find<QPushButton>("estimateAdd"), Qt::LeftButton);
    }
    // Runs the posted events: the queued save among them.
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    // Fails when `action` opens a modal box, closing it.
    static bool opensNoModal(const std::function<void()>& action)
    {
        bool modal = false;
        QTimer::singleShot(0, [&modal] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                modal = true;
                w->close();
            }
        });
        action();
        QCoreApplication::processEvents();
        return !modal;
    }
    void newForm()
    {
        form = std::make_unique<TForm1>();
        form->setSeparatorSource([] { return u','; });
        form->placeOnScreen();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // A column by its caption in the header, as a user finds it.
    int columnNamed(const QString& caption)
    {
        for (int c = 0; c < model().columnCount(); ++c) {
            if (model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == caption)
                return c;
        }
        return -1;
    }
    // Pastes a text over a cell's and commits it with Enter, as a price
    // copied from a seller's list is; an empty text by clearing the cell.
    void commitThroughEditor(const QModelIndex& index, const QString& value)
    {
        QTableView& table = window().table();
        table.setCurrentIndex(index);
        table.edit(index);
        auto* editor = table.findChild<CellEdit*>();
        QVERIFY(editor);
        editor->clear();
        if (!value.isEmpty()) {
            QGuiApplication::clipboard()->setText(value);
            QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }
    // Answers the next modal text box with `value`.
    static void answerNextInput(const QString& value)
    {
        QTimer::singleShot(0, [value] {
            if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                box->setTextValue(value);
                box->accept();
            }
        });
    }
    void runCase(const tarvik::testing::EstimateCase& c)
    {
        cleanup();
        init();
        chooseRebar();
        window().present();
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const tarvik::testing::EstimateCaseStep& step = c.steps[i];
            const QByteArray where =
                QByteArray::fromStdString(c.name + ", step " + std::to_string(i + 1) + ": " + step.action);
            std::vector<QString> a;
            for (const std::string& arg : step.args)
                a.push_back(QString::fromStdString(arg));
            const auto row = [&] { return a.at(0).toInt() - 1; };
            const auto index = [&] { return model().index(row(), columnNamed(a.at(1))); };
            const auto button = [&](const char* name) { inEstimate<QPushButton>(name)->click(); };
            const std::string& act = step.action;
            caseStep = where;
            if (act == "add") {
                addRebar(3, a.at(0));
            } else if (act == "edit") {
                commitThroughEditor(index(), a.at(2));
            } else if (act == "unit" || act == "choices") {
                // «за» through its list, as a user takes a unit.
                QTableView& table = window().table();
                const QModelIndex at = model().index(row(), columnNamed(text(Caption::PriceUnitColumn)));
                table.setCurrentIndex(at);
                table.edit(at);
                auto* box = qobject_cast<QComboBox*>(table.indexWidget(at));
                QVERIFY2(box, where);
                QCOMPARE(box->accessibleName(), text(Caption::PriceUnitColumn));
                QStringList items;
                for (int i = 0; i < box->count(); ++i)
                    items << box->itemText(i);
                if (act == "choices") {
                    QCOMPARE(items.join(u'|'), a.at(1));
                    QTest::keyClick(box, Qt::Key_Escape);
                } else {
                    QVERIFY2(items.contains(a.at(1)), where);
                    box->setCurrentIndex(box->findText(a.at(1)));
                    emit box->activated(box->currentIndex());
                }
            } else if (act == "empty") {
                window().activateWindow();
                window().table().setFocus();
                window().table().setCurrentIndex(index());
                QTest::keyClick(&window().table(), Qt::Key_Delete);
            } else if (act == "delete") {
                window().table().setCurrentIndex(model().index(row(), 0));
                button("deleteLine");
            } else if (act == "clear") {
                button("clearEstimate");
            } else if (act == "undo") {
                button("undoEstimate");
            } else if (act == "redo") {
                button("redoEstimate");
            } else if (act == "new") {
                button("newEstimate");
            } else if (act == "deleteEstimate") {
                button("deleteEstimate");
            } else if (act == "reimport") {
                QTemporaryDir dir;
                const QString path =
                    dir.filePath(QString::fromStdU16String(window().presenter().exportFile().name));
                window().chooseSavePath = [path](const QString&, Caption, Caption) { return path; };
                window().chooseOpenPath = [path](Caption, Caption) { return path; };
                button("exportEstimate");
                button("importEstimate");
            } else if (act == "vat") {
                auto* vat = inEstimate<QLineEdit>("vatRate");
                vat->setText(a.at(0));
                QTest::keyClick(vat, Qt::Key_Return);
            } else if (act == "rename") {
                answerNextInput(a.at(0));
                button("renameEstimate");
            } else if (act == "open") {
                for (const EstimateEntry& e : window().presenter().entries())
                    if (QString::fromStdU16String(e.name) == a.at(0))
                        window().presenter().open(e.key);
            } else if (act == "cell") {
                QVERIFY2(index().isValid(), where);
                QCOMPARE(index().data().toString(), a.at(2));
            } else if (act == "reason") {
                QCOMPARE(model().refusalAt(index()), a.at(2));
            } else if (act == "lines") {
                QCOMPARE(model().rowCount(), a.at(0).toInt());
            } else if (act == "name") {
                QCOMPARE(window().windowTitle(), QStringLiteral("Смета — ") + a.at(0));
            } else if (act == "estimates") {
                QStringList names;
                for (const EstimateEntry& e : window().presenter().entries())
                    names << QString::fromStdU16String(e.name);
                QCOMPARE(names.join(u'|'), a.at(0));
            } else if (act == "vatRate") {
                QCOMPARE(inEstimate<QLineEdit>("vatRate")->text(), a.at(0));
            } else if (act == "message") {
                QCOMPARE(window().statusText(), a.at(0));
            } else if (act == "undoText" || act == "redoText") {
                auto* b = inEstimate<QPushButton>(act == "undoText" ? "undoEstimate" : "redoEstimate");
                QCOMPARE(b->isEnabled(), !a.at(0).isEmpty());
                QCOMPARE(b->accessibleDescription(), a.at(0));
            } else {
                QFAIL(where);
            }
            settle();
            if (QTest::currentTestFailed())
                return;
        }
    }
    QByteArray caseStep; // the step of the table being run, named when it fails

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QDir(dataFolder()).removeRecursively();
        newForm();
    }
    void cleanup()
    {
        form.reset();
        QDir(dataFolder()).removeRecursively();
    }

    void theTwoButtonsStandLeftOfCalculateAndMoveNothing()
    {
        chooseRebar();
        auto* calc = find<QPushButton>("sButtonCalc");
        auto* show = find<QPushButton>("estimateShow");
        auto* add = find<QPushButton>("estimateAdd");
        QCOMPARE(show->text(), QStringLiteral("Смета"));
        QCOMPARE(add->text(), QStringLiteral("В смету"));
        QCOMPARE(show->accessibleName(), show->text());
        QCOMPARE(add->accessibleName(), add->text());
        QCOMPARE(calc->geometry(), QRect(248, 320, 97, 25)); // where the stored layout puts it
        for (QPushButton* b : {show, add}) {
            QCOMPARE(b->parentWidget(), calc->parentWidget());
            QCOMPARE(b->y(), calc->y());
            QCOMPARE(b->height(), calc->height());
            QVERIFY(b->isVisible());
            QVERIFY(b->width() >= b->sizeHint().width());
        }
        QVERIFY(show->geometry().right() < add->x());
        QVERIFY(add->geometry().right() < calc->x());
        // Nothing else of the column under them, shown or not.
        for (QWidget* other : calc->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == show || other == add)
                continue;
            QVERIFY2(!other->geometry().intersects(show->geometry()), qPrintable(other->objectName()));
            QVERIFY2(!other->geometry().intersects(add->geometry()), qPrintable(other->objectName()));
        }
    }

    void theyFollowCalculateInTabOrderAndPressOnEnterAndSpace()
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        chooseRebar();
        calculate(3, QStringLiteral("1"));
        auto* calc = find<QPushButton>("sButtonCalc");
        calc->setFocus(Qt::TabFocusReason);
        QTest::keyClick(calc, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("estimateAdd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("estimateShow"));

        QTest::keyClick(find<QPushButton>("estimateShow"), Qt::Key_Return);
        QVERIFY(form->hasEstimateWindow() && window().isVisible());
        QCOMPARE(model().rowCount(), 0);
        auto* add = find<QPushButton>("estimateAdd");
        QTest::keyClick(add, Qt::Key_Space);
        QCOMPARE(model().rowCount(), 1);
        QTest::keyClick(add, Qt::Key_Enter);
        QCOMPARE(model().rowCount(), 2);
    }

    void addIsEnabledOnlyForAResultThatCanBeTaken()
    {
        auto* add = find<QPushButton>("estimateAdd");
        QVERIFY(!add->isEnabled()); // no result yet
        chooseRebar();
        calculate(3, QStringLiteral("2"));
        QVERIFY(add->isEnabled());
        // The number changed since: the result is out of date.
        QTest::keyClick(find<QLineEdit>("sEditParam"), Qt::Key_5);
        QVERIFY(!add->isEnabled());
        calculate(3, QStringLiteral("0"));
        QVERIFY(!add->isEnabled()); // nothing to buy
    }

    void addingTakesWhatWasComputedAndSelectsTheLine()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("12,5"));
        QVERIFY(window().isVisible());
        QCOMPARE(window().windowTitle(), QStringLiteral("Смета — Смета 1"));
        QCOMPARE(cell(0, EstimateColumn::Name), QStringLiteral("Арматура А3 А500с"));
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("12,500"));
        QCOMPARE(cell(0, EstimateColumn::Mass), find<QLabel>("sLabelResult")->text().section(u' ', 0, 0));
        const QString size = cell(0, EstimateColumn::Size);
        QVERIFY(!size.isEmpty());

        // The next result is a line of its own, selected.
        addRebar(5, QStringLiteral("1"));
        QCOMPARE(model().rowCount(), 2);
        QVERIFY(cell(1, EstimateColumn::Size) != size);
        QCOMPARE(window().table().currentIndex().row(), 1);
        QVERIFY(window().table().selectionModel()->isRowSelected(1, {}));
    }

    // Any grade, a density of one's own and «Свой размер» make lines that name what they are.
    void aLineOfAnyMaterialIsTakenAndNamedAsABuyerWritesIt()
    {
        // The start choice, and nothing kept for the next run.
        form->setMaterialStore({[] { return QString(); }, [](const QString&) {}});
        find<QLineEdit>("sEditDensity")->clear();
        QTest::mouseClick(find<QPushButton>("sButton13"), Qt::LeftButton);
        auto* own = find<KindsList>("sListBox13");
        QTest::mouseClick(own->viewport(), Qt::LeftButton, {},
                          own->visualRect(own->model()->index(5, 0)).center());
        QTest::mouseClick(find<QRadioButton>("sRadioGroupItem0"), Qt::LeftButton, {}, QPoint(8, 12));
        auto* metal = find<QComboBox>("sComboBoxMetal");
        metal->setCurrentIndex(1);
        emit metal->activated(1); // «Нержавеющая сталь», 12Х18Н10Т first
        find<QLineEdit>("sEditDimension1")->setText(QStringLiteral("57"));
        find<QLineEdit>("sEditDimension2")->setText(QStringLiteral("4"));
        find<QLineEdit>("sEditParam")->setText(QStringLiteral("6"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        auto* add = find<QPushButton>("estimateAdd");
        QVERIFY(add->isEnabled());
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(model().rowCount(), 1);
        QCOMPARE(cell(0, EstimateColumn::Name), QStringLiteral("Труба круглая 57х4, 12Х18Н10Т"));
        QCOMPARE(cell(0, EstimateColumn::Grade), QStringLiteral("12Х18Н10Т"));
        QCOMPARE(cell(0, EstimateColumn::Mass), QStringLiteral("31,569"));
        // Not flagged as gone from the catalogue: it never was in it.
        QVERIFY(model().index(0, static_cast<int>(EstimateColumn::Name)).data(Qt::DecorationRole).isNull());
        QCOMPARE(model()
                     .headerData(static_cast<int>(EstimateColumn::Grade), Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("Марка"));

        find<QLineEdit>("sEditDensity")->setText(QStringLiteral("2700"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(model().rowCount(), 2);
        QCOMPARE(cell(1, EstimateColumn::Grade), QStringLiteral("своя плотность 2700 кг/м³"));
    }

    void editsRecomputeAndTheTotalsFollow()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        const QString mass = cell(0, EstimateColumn::Mass);
        QVERIFY(model().setData(at(0, EstimateColumn::Price), QStringLiteral("65000"), Qt::EditRole));
        // Money on the screen: a thin space between thousands.
        QCOMPARE(cell(0, EstimateColumn::Price), QStringLiteral("65\u2009000,00"));
        // Read as a seller writes it; a slip refused with what is wrong.
        QVERIFY(!model().setData(at(0, EstimateColumn::Price), QStringLiteral("65.000"), Qt::EditRole));
        QCOMPARE(window().statusText(),
                 QStringLiteral("«65.000» — это 65000 или 65,000? Напишите число без точки"));
        QVERIFY(model().setData(at(0, EstimateColumn::Price), QStringLiteral("65.000,50 ₽"), Qt::EditRole));
        QCOMPARE(cell(0, EstimateColumn::Price), QStringLiteral("65\u2009000,50"));
        QVERIFY(!cell(0, EstimateColumn::Cost).isEmpty());
        // Two whole bars of 11,7 m: the quantity and the mass follow.
        QVERIFY(model().setData(at(0, EstimateColumn::Pieces), QStringLiteral("2"), Qt::EditRole));
        QCOMPARE(cell(0, EstimateColumn::PieceSize), QStringLiteral("11,7"));
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("23,400"));
        QVERIFY(cell(0, EstimateColumn::Mass) != mass);

        const Estimate& e = window().presenter().estimate();
        QStringList expected;
        for (const TableRow& row : estimateTotalsRows(e)) {
            QStringList texts{QString::fromStdU16String(row[1])};
            for (auto c : {EstimateColumn::Mass, EstimateColumn::Cost}) {
                if (!row[static_cast<std::size_t>(c)].empty())
                    texts << QString::fromStdU16String(row[static_cast<std::size_t>(c)]);
            }
            expected << texts.join(QStringLiteral(" | "));
        }
        QCOMPARE(window().totals().rows(), expected);
        QVERIFY(expected.front().contains(cell(0, EstimateColumn::Mass)));
        QVERIFY(expected.front().contains(cell(0, EstimateColumn::Cost)));

        // VAT on top of the prices: two more totals rows.
        inEstimate<QCheckBox>("pricesIncludeVat")->click();
        QVERIFY(window().totals().rows().join(u'\n').contains(text(Caption::TotalWithVat)));

        // An exponent is a slip in any cell: refused, the totals as they were.
        const QStringList totals = window().totals().rows();
        QVERIFY(!model().setData(at(0, EstimateColumn::Quantity), QStringLiteral("1e309"), Qt::EditRole));
        QCOMPARE(window().statusText(), QStringLiteral("Число пишется цифрами, без «e»"));
        QCOMPARE(window().totals().rows(), totals);
    }

    void aCellTakesKeysByItsRuleAndCommitsOnEnter()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        QTableView& table = window().table();
        table.setCurrentIndex(at(0, EstimateColumn::Price));
        table.edit(at(0, EstimateColumn::Price));
        auto* editor = table.findChild<CellEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("1.2345"));
        QCOMPARE(editor->text(), QStringLiteral("1,23"));
        QCOMPARE(window().statusText(), QStringLiteral("Не больше двух знаков после запятой"));
        QTest::keyClick(editor, Qt::Key_Return);
        settle(); // the view commits a closing editor's text from a queued call
        QCOMPARE(cell(0, EstimateColumn::Price), QStringLiteral("1,23"));
        // A space typed between thousands is taken, and read.
        table.edit(at(0, EstimateColumn::Price));
        editor = table.findChild<CellEdit*>();
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("65 000"));
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
        QCOMPARE(cell(0, EstimateColumn::Price), QStringLiteral("65\u2009000,00"));

        table.edit(at(0, EstimateColumn::Pieces));
        editor = table.findChild<CellEdit*>();
        QVERIFY(editor);
        editor->clear();
        QTest::keyClick(editor, Qt::Key_Comma);
        QCOMPARE(editor->text(), QString());
        QCOMPARE(window().statusText(), QStringLiteral("Здесь только целое число"));
    }

    void deleteEmptiesTheChosenCellAndCtrlDeleteTakesTheLine()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        addRebar(3, QStringLiteral("20"));
        QVERIFY(model().setData(at(0, EstimateColumn::Price), QStringLiteral("65000"), Qt::EditRole));
        QVERIFY(model().setData(at(0, EstimateColumn::Pieces), QStringLiteral("2"), Qt::EditRole));
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QTableView& table = window().table();
        table.setFocus();
        const auto press = [&](EstimateColumn column, Qt::KeyboardModifiers modifiers = {}) {
            table.setCurrentIndex(at(0, column));
            QTest::keyClick(&table, Qt::Key_Delete, modifiers);
        };
        // The price goes; the line and its numbers stay.
        press(EstimateColumn::Price);
        QCOMPARE(model().rowCount(), 2);
        QCOMPARE(cell(0, EstimateColumn::Price), QString());
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("23,400"));
        // Pieces: the line is no longer counted in them and keeps the
        // length they made.
        press(EstimateColumn::Pieces);
        QCOMPARE(cell(0, EstimateColumn::Pieces), QString());
        QCOMPARE(cell(0, EstimateColumn::PieceSize), QString());
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("23,400"));
        // A cell that must hold its number, or a name: nothing happens.
        press(EstimateColumn::Mass);
        press(EstimateColumn::Name);
        QCOMPARE(model().rowCount(), 2);
        QVERIFY(!cell(0, EstimateColumn::Mass).isEmpty());
        // On purpose: Ctrl+Delete.
        press(EstimateColumn::Name, Qt::ControlModifier);
        QCOMPARE(model().rowCount(), 1);
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("20,000"));
    }

    void aRefusedEditStaysInItsCellWithTheReasonAndNoBox()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        const QModelIndex pieces = at(0, EstimateColumn::Pieces);
        QVERIFY(opensNoModal([&] { QVERIFY(!model().setData(pieces, QStringLiteral("0"), Qt::EditRole)); }));
        QCOMPARE(pieces.data().toString(), QStringLiteral("0"));
        QCOMPARE(pieces.data(Qt::ToolTipRole).toString(), text(Caption::BadPieces));
        QVERIFY(pieces.data(Qt::ForegroundRole).isValid());
        QCOMPARE(window().statusText(), text(Caption::BadPieces));
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("10,000")); // the line as it was

        // The calculator's own message for a text that does not convert.
        const QModelIndex mass = at(0, EstimateColumn::Mass);
        QVERIFY(
            opensNoModal([&] { QVERIFY(!model().setData(mass, QStringLiteral("1e99999"), Qt::EditRole)); }));
        QVERIFY(!mass.data(Qt::ToolTipRole).toString().isEmpty());

        // The next good edit of the cell takes the mark away.
        QVERIFY(model().setData(pieces, QStringLiteral("1"), Qt::EditRole));
        QVERIFY(!pieces.data(Qt::ForegroundRole).isValid());
        QVERIFY(pieces.data(Qt::ToolTipRole).toString().isEmpty());
    }

    void undoAndRedoSayWhatTheyTakeBackStepByStep()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("1"));
        addRebar(4, QStringLiteral("2"));
        addRebar(5, QStringLiteral("3"));
        auto* undo = inEstimate<QPushButton>("undoEstimate");
        auto* redo = inEstimate<QPushButton>("redoEstimate");
        QCOMPARE(undo->text(), text(Caption::UndoEstimate));
        QCOMPARE(redo->text(), text(Caption::RedoEstimate));
        QCOMPARE(undo->accessibleDescription(), QStringLiteral("Отменить добавление строки 3"));
        QVERIFY(!redo->isEnabled());

        const QString middle = cell(1, EstimateColumn::Size);
        window().table().setCurrentIndex(at(1, EstimateColumn::Name));
        inEstimate<QPushButton>("deleteLine")->click();
        QCOMPARE(model().rowCount(), 2);
        QCOMPARE(undo->accessibleDescription(), QStringLiteral("Отменить удаление строки 2"));
        undo->click();
        QCOMPARE(model().rowCount(), 3);
        QCOMPARE(cell(1, EstimateColumn::Size), middle);
        QCOMPARE(window().table().currentIndex().row(), 1); // the line brought back is chosen
        QCOMPARE(redo->accessibleDescription(), QStringLiteral("Вернуть удаление строки 2"));

        inEstimate<QPushButton>("clearEstimate")->click();
        QCOMPARE(model().rowCount(), 0);
        QVERIFY(!redo->isEnabled()); // a new step: what was undone cannot be redone
        QVERIFY(window().totals().rows().front().startsWith(QStringLiteral("Итого: 0 поз.")));
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QTest::keyClick(&window().table(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(model().rowCount(), 3);
        QVERIFY(window().totals().rows().front().startsWith(QStringLiteral("Итого: 3 поз.")));
        QTest::keyClick(&window().table(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(model().rowCount(), 0);
        QTest::keyClick(&window().table(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(model().rowCount(), 0); // nothing more to redo
        QTest::keyClick(&window().table(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(model().rowCount(), 3);

        // Inside a cell being edited Ctrl+Z undoes the typing, not a step.
        QTableView& table = window().table();
        table.setCurrentIndex(at(0, EstimateColumn::Price));
        table.edit(at(0, EstimateColumn::Price));
        auto* editor = table.findChild<CellEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("12"));
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(model().rowCount(), 3);
        QCOMPARE(editor->text(), QString());
    }

    // Lines as a user adds and prices them, exported: the file the page's
    // and the core's tests import (TARVIK_KEEP_EXPORT names where to keep
    // a copy, to write that fixture anew), then brought back beside it.
    void anEstimateGoesToAFileAndComesBackAsANewEstimate()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("100"));
        addRebar(3, QStringLiteral("25"));
        addRebar(3, QStringLiteral("7,5"));
        commitThroughEditor(at(0, EstimateColumn::Price), QStringLiteral("54000"));
        commitThroughEditor(at(2, EstimateColumn::Price), QStringLiteral("61250,50"));
        answerNextInput(QStringLiteral("Склад/2"));
        inEstimate<QPushButton>("renameEstimate")->click();
        settle();

        QTemporaryDir dir;
        QString suggested;
        std::pair<Caption, Caption> asked{};
        window().chooseSavePath = [&](const QString& name, Caption title, Caption filter) {
            asked = {title, filter};
            suggested = name;
            return dir.filePath(name);
        };
        inEstimate<QPushButton>("exportEstimate")->click();
        QCOMPARE(suggested, QStringLiteral("Склад_2.tarvik-smeta.json"));
        QVERIFY(asked == std::pair(Caption::ExportEstimateFile, Caption::EstimateFileFilter));
        QFile file(dir.filePath(suggested));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.toStdString(), window().presenter().exportFile().bytes);
        if (const QString keep = qEnvironmentVariable("TARVIK_KEEP_EXPORT"); !keep.isEmpty()) {
            QFile::remove(keep);
            QVERIFY(file.copy(keep));
        }

        window().chooseOpenPath = [&](Caption, Caption) { return dir.filePath(suggested); };
        inEstimate<QPushButton>("importEstimate")->click();
        settle();
        QCOMPARE(window().windowTitle(), QStringLiteral("Смета — Склад/2 (2)"));
        QCOMPARE(window().statusText(), QStringLiteral("Смета «Склад/2 (2)» импортирована"));
        QCOMPARE(model().rowCount(), 3);
        QCOMPARE(window().presenter().entries().size(), std::size_t{2});
    }

    // The desktop's fixture, and files that must not be taken in: dropped
    // on the window or chosen with «Импорт сметы…».
    void aFileDroppedOrChosenIsImportedOrRefusedWithItsReason()
    {
        const QString fixture =
            QStringLiteral(TARVIK_SOURCE_DIR "tests/estimate/files/desktop-export.tarvik-smeta.json");
        QFile in(fixture);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray good = in.readAll();
        QTemporaryDir dir;
        const auto written = [&](const QString& name, const QByteArray& bytes) {
            QFile out(dir.filePath(name));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        };
        written(QStringLiteral("новее.json"),
                QByteArray(good).replace("\"version\": \"3\"", "\"version\": \"99\""));
        written(QStringLiteral("обрезан.json"), good.left(good.size() / 2));
        const auto drop = [&](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window(), &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window(), &dropped);
            settle();
            return true;
        };
        window().present();

        QVERIFY(drop({QUrl::fromLocalFile(fixture)}));
        QCOMPARE(window().windowTitle(), QStringLiteral("Смета — Склад/2"));
        QCOMPARE(model().rowCount(), 3);
        QCOMPARE(window().presenter().exportFile().bytes, good.toStdString());

        const auto refused = [&](const QString& name, const QString& reason) {
            window().chooseOpenPath = [&](Caption, Caption) { return dir.filePath(name); };
            inEstimate<QPushButton>("importEstimate")->click();
            settle();
            QCOMPARE(window().statusText(),
                     QStringLiteral("Файл «%1» не импортирован: %2").arg(name, reason));
            QCOMPARE(window().windowTitle(), QStringLiteral("Смета — Склад/2"));
        };
        refused(QStringLiteral("новее.json"), QStringLiteral("он записан более новой версией программы"));
        refused(QStringLiteral("обрезан.json"), QStringLiteral("он повреждён или записан не полностью"));
        QVERIFY(drop({QUrl::fromLocalFile(dir.filePath(QStringLiteral("обрезан.json")))}));
        QCOMPARE(
            window().statusText(),
            QStringLiteral("Файл «обрезан.json» не импортирован: он повреждён или записан не полностью"));
        // Two files at once, or one not on this computer, are not taken.
        QVERIFY(!drop({QUrl::fromLocalFile(fixture), QUrl::fromLocalFile(fixture)}));
        QVERIFY(!drop({QUrl(QStringLiteral("http://server/a.json"))}));
        QCOMPARE(window().presenter().entries().size(), std::size_t{2});
    }

    void copiesTheTableAsTheCoreWritesIt()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("1"));
        inEstimate<QPushButton>("copyTable")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdU16String(estimateTabText(window().presenter().estimate())));
        QCOMPARE(window().statusText(), text(Caption::TableCopied));

        QTemporaryDir dir;
        QString suggested;
        window().chooseSavePath = [&](const QString& name, Caption, Caption) {
            suggested = name;
            return dir.filePath(name);
        };
        inEstimate<QPushButton>("saveCsv")->click();
        QVERIFY(suggested.startsWith(QStringLiteral("смета_Смета 1_")) && suggested.endsWith(".csv"));
        QFile csv(dir.filePath(suggested));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().toStdString(), estimateCsv(window().presenter().estimate()));
    }

    void everyChangeIsSavedAndTheEstimateComesBack()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        QVERIFY(model().setData(at(0, EstimateColumn::Price), QStringLiteral("70000"), Qt::EditRole));
        settle();
        const QString file = QDir(dataFolder()).filePath(QStringLiteral("estimates/Смета 1.json"));
        QVERIFY2(QFile::exists(file), qPrintable(file));
        QVERIFY(QFile(file).open(QIODevice::ReadOnly));
        const std::string before = estimateCsv(window().presenter().estimate());

        // The program ends with the window open: it opens again, the
        // estimate as it was.
        form->close();
        form.reset();
        newForm();
        QVERIFY(!form->hasEstimateWindow());
        form->reopenEstimate();
        QVERIFY(form->hasEstimateWindow() && window().isVisible());
        QCOMPARE(estimateCsv(window().presenter().estimate()), before);

        // Closed by the user: it stays closed at the next start.
        window().close();
        form.reset();
        newForm();
        form->reopenEstimate();
        QVERIFY(!form->hasEstimateWindow());
    }

    void aWindowOpenAtTheLastExitComesBackOnlyAfterTheCalculatorIsPainted()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        settle();
        const std::string before = estimateCsv(window().presenter().estimate());
        form->close();
        form.reset();

        // As the program starts.
        form = std::make_unique<TForm1>();
        form->setSeparatorSource([] { return u','; });
        FirstPaintWatch watch(*form);
        form->show();
        form->reopenEstimateOncePainted();
        QVERIFY(!form->hasEstimateWindow());
        QTRY_VERIFY(form->hasEstimateWindow() && window().isVisible());
        QCOMPARE(watch.estimateWindowAtFirstPaint, std::optional<bool>(false));
        QCOMPARE(estimateCsv(window().presenter().estimate()), before);
    }

    void anUnreadableFileIsKeptAsideAndNotWrittenOver()
    {
        const QString folder = QDir(dataFolder()).filePath(QStringLiteral("estimates"));
        QVERIFY(QDir().mkpath(folder));
        const QByteArray damaged = "{\"format\": \"tarvik-estimate\", \"version\": \"1\", \"lines\": [";
        {
            QFile f(folder + QStringLiteral("/Смета 1.json"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damaged);
        }
        form->estimateWindow().present();
        QVERIFY2(window().statusText().startsWith(QStringLiteral("Смета «Смета 1» не читается")),
                 qPrintable(window().statusText()));
        const QStringList aside =
            QDir(QDir(dataFolder()).filePath(QStringLiteral("unreadable"))).entryList(QDir::Files);
        QCOMPARE(aside, QStringList{QStringLiteral("Смета 1.unreadable-1.json")});
        QFile kept(QDir(dataFolder()).filePath(QStringLiteral("unreadable/") + aside.front()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), damaged);
        // The estimate started anew under a name of its own: nothing written
        // where the damaged file was read from counts as overwriting it.
        chooseRebar();
        addRebar(3, QStringLiteral("1"));
        settle();
        kept.seek(0);
        QCOMPARE(kept.readAll(), damaged);
    }

    void aNewerFileIsLeftAlone()
    {
        const QString folder = QDir(dataFolder()).filePath(QStringLiteral("estimates"));
        QVERIFY(QDir().mkpath(folder));
        const QByteArray newer =
            "{\"format\": \"tarvik-estimate\", \"version\": \"99\", \"name\": \"Смета 1\"}";
        const QString path = folder + QStringLiteral("/Смета 1.json");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(newer);
        }
        form->estimateWindow().present();
        QVERIFY2(window().statusText().contains(QStringLiteral("более новой версией")),
                 qPrintable(window().statusText()));
        chooseRebar();
        addRebar(3, QStringLiteral("1"));
        settle();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), newer);
        QVERIFY(window().windowTitle() != QStringLiteral("Смета — Смета 1"));
    }

    void estimatesAreNamedDocuments()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("1"));
        EstimatePresenter& presenter = window().presenter();
        // A name is text, never markup, in the title and the files alike.
        presenter.rename(u"<b>Дача</b> [*] ../../x");
        // The title the window system shows: "[*]" there is the typed text,
        // not Qt's mark of a modified document.
        QCOMPARE(window().windowHandle()->title(), QStringLiteral("Смета — <b>Дача</b> [*] ../../x"));
        settle();
        QStringList files =
            QDir(QDir(dataFolder()).filePath(QStringLiteral("estimates"))).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY(!files.front().contains(u'/'));

        inEstimate<QPushButton>("duplicateEstimate")->click();
        QCOMPARE(window().windowHandle()->title(), QStringLiteral("Смета — <b>Дача</b> [*] ../../x — копия"));
        QCOMPARE(model().rowCount(), 1);
        inEstimate<QPushButton>("newEstimate")->click();
        QCOMPARE(model().rowCount(), 0);
        QCOMPARE(presenter.entries().size(), 3u);

        // Deleting asks nothing; «Отменить» brings the estimate back.
        QVERIFY(opensNoModal([&] { inEstimate<QPushButton>("deleteEstimate")->click(); }));
        QCOMPARE(presenter.entries().size(), 2u);
        QCOMPARE(window().statusText(), QStringLiteral("Смета «Смета 1» удалена"));
        auto* undo = inEstimate<QPushButton>("undoEstimate");
        QCOMPARE(undo->accessibleDescription(), QStringLiteral("Отменить удаление сметы «Смета 1»"));
        undo->click();
        QCOMPARE(presenter.entries().size(), 3u);
        QCOMPARE(window().windowHandle()->title(), QStringLiteral("Смета — Смета 1"));
    }

    // Two cars: names outside the Basic Multilingual Plane that differ only
    // in their last UTF-16 unit. Two files, and the last open one comes back
    // at the next start whatever its name.
    void namesWithEmojiAreEstimatesOfTheirOwnOverARestart()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        EstimatePresenter* presenter = &window().presenter();
        presenter->rename(u"\U0001F697 x");
        presenter->create();
        addRebar(5, QStringLiteral("20"));
        addRebar(5, QStringLiteral("30"));
        presenter->rename(u"\U0001F699 x");
        settle();
        QStringList files =
            QDir(QDir(dataFolder()).filePath(QStringLiteral("estimates"))).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files,
                 (QStringList{QStringLiteral("\U0001F697 x.json"), QStringLiteral("\U0001F699 x.json")}));

        window().close();
        form->close();
        form.reset();
        newForm();
        form->estimateWindow().present();
        QCOMPARE(window().windowTitle(), QStringLiteral("Смета — \U0001F699 x"));
        QCOMPARE(model().rowCount(), 2);
        presenter = &window().presenter();
        std::vector<std::u16string> names;
        for (const EstimateEntry& e : presenter->entries())
            names.push_back(e.name);
        QCOMPARE(names, (std::vector<std::u16string>{u"\U0001F697 x", u"\U0001F699 x"}));
        presenter->open(presenter->entries().front().key);
        QCOMPARE(window().windowTitle(), QStringLiteral("Смета — \U0001F697 x"));
        QCOMPARE(model().rowCount(), 1);
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("10,000"));
        QVERIFY(window().statusText().isEmpty());
    }

    void theOpenListShowsNamesAsTextAndGivesTheChosenKey()
    {
        EstimateListDialog dialog({{u"a", u"<b>Дача</b>"}, {u"b", u"Баня"}}, nullptr);
        auto* names = tarvik::testing::findControl<QListWidget>(&dialog, QStringLiteral("estimateNames"));
        QCOMPARE(names->accessibleName(), text(Caption::EstimateListName));
        QCOMPARE(names->item(0)->text(), QStringLiteral("<b>Дача</b>"));
        QCOMPARE(dialog.chosenKey(), u"a"); // the first is chosen at once
        names->setCurrentRow(1);
        QCOMPARE(dialog.chosenKey(), u"b");
        names->clearSelection();
        QVERIFY(dialog.chosenKey().empty());
    }

    // The table every face runs: the window does what the core decides.
    void theTableOfEstimateCasesHoldsInTheWindow()
    {
        QFile table(QStringLiteral(TARVIK_SOURCE_DIR "tests/estimate/estimate_cases.tsv"));
        QVERIFY(table.open(QIODevice::ReadOnly));
        const auto cases = tarvik::testing::readEstimateCases(table.readAll().toStdString());
        QVERIFY(!cases.empty());
        for (const auto& c : cases) {
            runCase(c);
            if (QTest::currentTestFailed()) {
                qWarning("at %s", caseStep.constData());
                return;
            }
        }
    }

    void theOpenListOffersDeletedAndDamagedEstimatesToBringBack()
    {
        const qint64 deletedAt = QDateTime(QDate(2026, 12, 1), QTime(12, 0)).toMSecsSinceEpoch();
        EstimateListDialog dialog({{u"a", u"Баня"}},
                                  {{u"Дача.deleted-1", u"Дача", std::uint64_t(deletedAt), 2}},
                                  {{u"Сарай.unreadable-1", u"Сарай", 25, 27}}, nullptr);
        const QList<QListWidget*> lists = dialog.findChildren<QListWidget*>();
        QStringList names, rows;
        for (const QListWidget* list : lists) {
            names << list->accessibleName();
            rows << list->item(0)->text();
        }
        QCOMPARE(names, (QStringList{QStringLiteral("Сметы"), QStringLiteral("Удалённые сметы"),
                                     QStringLiteral("Повреждённые сметы")}));
        QCOMPARE(rows, (QStringList{QStringLiteral("Баня"), QStringLiteral("Дача — удалена 01.12.2026"),
                                    QStringLiteral("Сарай — читаются строки: 25 из 27")}));
        auto* open = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
        const QString openText = open->text();
        lists[2]->setCurrentRow(0);
        QCOMPARE(dialog.chosen().group, EstimateListDialog::Group::Damaged);
        QCOMPARE(dialog.chosen().id, u"Сарай.unreadable-1");
        QVERIFY(dialog.chosenKey().empty());
        QCOMPARE(open->text(), text(Caption::RestoreEstimate));
        QVERIFY(lists[0]->selectedItems().isEmpty());
        lists[1]->setCurrentRow(0);
        QCOMPARE(dialog.chosen().group, EstimateListDialog::Group::Deleted);
        QVERIFY(lists[2]->selectedItems().isEmpty());
        lists[0]->setCurrentRow(0);
        QCOMPARE(dialog.chosenKey(), u"a");
        QCOMPARE(open->text(), openText);

        // Without deleted or damaged estimates, the list alone.
        EstimateListDialog plain({{u"a", u"Баня"}}, nullptr);
        QCOMPARE(plain.findChildren<QLabel*>().size(), 0);
    }

    void theWindowFitsTheScreenAndNamesItsControls()
    {
        window().present();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(area.contains(window().frameGeometry()));
        QVERIFY(window().minimumSizeHint().width() <= 1024);
        for (Caption c : {Caption::NewEstimate, Caption::OpenEstimate, Caption::RenameEstimate,
                          Caption::DuplicateEstimate, Caption::DeleteEstimate, Caption::DeleteLine,
                          Caption::ClearEstimate, Caption::UndoEstimate, Caption::RedoEstimate,
                          Caption::CopyTable, Caption::SaveCsv, Caption::PrintDialog, Caption::SavePdf}) {
            const QString name = text(c);
            const auto buttons = window().findChildren<QPushButton*>();
            const auto it = std::find_if(buttons.begin(), buttons.end(),
                                         [&](QPushButton* b) { return b->text() == name; });
            QVERIFY2(it != buttons.end(), qPrintable(name));
            QCOMPARE((*it)->accessibleName(), name);
            QVERIFY2(window().rect().contains((*it)->geometry()), qPrintable(name));
        }
        QCOMPARE(inEstimate<QLineEdit>("vatRate")->accessibleName(), text(Caption::VatRate));
        QCOMPARE(inEstimate<QLineEdit>("vatRate")->text(), QStringLiteral("22"));
        QCOMPARE(inEstimate<QCheckBox>("pricesIncludeVat")->text(), text(Caption::PricesIncludeVat));
        QVERIFY(inEstimate<QCheckBox>("pricesIncludeVat")->isChecked());
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    EstimateWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "estimate_window_test.moc"
