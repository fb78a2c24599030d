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

#include "text/captions.h"
#include <QSignalSpy>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
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
        QSignalSpy refused(&model(), &EstimateModel::refused);
        QVERIFY(!model().setData(at(0, EstimateColumn::Price), QStringLiteral("65.000"), Qt::EditRole));
        QCOMPARE(refused.value(0).value(0).toString(),
                 QStringLiteral("«65.000» — это 65000 или 65,000? Напишите число без точки"));
        QVERIFY(model().setData(at(0, EstimateColumn::Price), QStringLiteral("65.000,50 ₽"), Qt::EditRole));
        QCOMPARE(cell(0, EstimateColumn::Price), QStringLiteral("65\u2009000,50"));
        QVERIFY(!cell(0, EstimateColumn::Cost).isEmpty());
        // Two whole bars of 11,7 m: the quantity and the mass follow.
        QVERIFY(model().setData(at(0, EstimateColumn::Pieces), QStringLiteral("2"), Qt::EditRole));
        QCOMPARE(cell(0, EstimateColumn::PieceSize), QStringLiteral("11,7"));
        QCOMPARE(cell(0, EstimateColumn::Quantity), QStringLiteral("23,400"));
        QVERIFY(cell(0, EstimateColumn::Mass) != mass);

        const Estimate& e = *model().estimate();
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
        QCOMPARE(refused.value(1).value(0).toString(), QStringLiteral("Число пишется цифрами, без «e»"));
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

    void deletingAndClearingCanBeUndone()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("1"));
        addRebar(4, QStringLiteral("2"));
        addRebar(5, QStringLiteral("3"));
        auto* undo = inEstimate<QPushButton>("undoEstimate");
        QVERIFY(!undo->isVisible());
        QCOMPARE(undo->text(), text(Caption::UndoEstimate));

        const QString middle = cell(1, EstimateColumn::Size);
        window().table().setCurrentIndex(at(1, EstimateColumn::Name));
        inEstimate<QPushButton>("deleteLine")->click();
        QCOMPARE(model().rowCount(), 2);
        QVERIFY(undo->isVisible());
        undo->click();
        QCOMPARE(model().rowCount(), 3);
        QCOMPARE(cell(1, EstimateColumn::Size), middle);
        QVERIFY(!undo->isVisible());

        inEstimate<QPushButton>("clearEstimate")->click();
        QCOMPARE(model().rowCount(), 0);
        QVERIFY(window().totals().rows().front().startsWith(QStringLiteral("Итого: 0 поз.")));
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QTest::keyClick(&window().table(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(model().rowCount(), 3);
        QVERIFY(window().totals().rows().front().startsWith(QStringLiteral("Итого: 3 поз.")));
    }

    void copiesTheTableAsTheCoreWritesIt()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("1"));
        inEstimate<QPushButton>("copyTable")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdU16String(estimateTabText(*model().estimate())));
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
        QCOMPARE(csv.readAll().toStdString(), estimateCsv(*model().estimate()));
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
        const std::string before = estimateCsv(*model().estimate());

        // The program ends with the window open: it opens again, the
        // estimate as it was.
        form->close();
        form.reset();
        newForm();
        QVERIFY(!form->hasEstimateWindow());
        form->reopenEstimate();
        QVERIFY(form->hasEstimateWindow() && window().isVisible());
        QCOMPARE(estimateCsv(*model().estimate()), before);

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
        const std::string before = estimateCsv(*model().estimate());
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
        QCOMPARE(estimateCsv(*model().estimate()), before);
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
        EstimateKeeper& keeper = window().keeper();
        // A name is text, never markup, in the title and the files alike.
        keeper.rename(u"<b>Дача</b> [*] ../../x");
        // The title the window system shows: "[*]" there is the typed text,
        // not Qt's mark of a modified document.
        QCOMPARE(window().windowHandle()->title(), QStringLiteral("Смета — <b>Дача</b> [*] ../../x"));
        settle();
        QStringList files =
            QDir(QDir(dataFolder()).filePath(QStringLiteral("estimates"))).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY(!files.front().contains(u'/'));

        keeper.duplicate();
        QCOMPARE(window().windowHandle()->title(), QStringLiteral("Смета — <b>Дача</b> [*] ../../x — копия"));
        QCOMPARE(model().rowCount(), 1);
        keeper.create();
        QCOMPARE(model().rowCount(), 0);
        QCOMPARE(keeper.entries().size(), 3u);

        // Deleting asks first; a «no» keeps it.
        int asked = 0;
        window().confirm = [&](const QString& question) {
            ++asked;
            return question.contains(QStringLiteral("Смета 1"));
        };
        inEstimate<QPushButton>("deleteEstimate")->click();
        QCOMPARE(asked, 1);
        QCOMPARE(keeper.entries().size(), 2u);
        window().confirm = [](const QString&) { return false; };
        inEstimate<QPushButton>("deleteEstimate")->click();
        QCOMPARE(keeper.entries().size(), 2u);
    }

    // Two cars: names outside the Basic Multilingual Plane that differ only
    // in their last UTF-16 unit. Two files, and the last open one comes back
    // at the next start whatever its name.
    void namesWithEmojiAreEstimatesOfTheirOwnOverARestart()
    {
        chooseRebar();
        addRebar(3, QStringLiteral("10"));
        EstimateKeeper* keeper = &window().keeper();
        keeper->rename(u"\U0001F697 x");
        keeper->create();
        addRebar(5, QStringLiteral("20"));
        addRebar(5, QStringLiteral("30"));
        keeper->rename(u"\U0001F699 x");
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
        keeper = &window().keeper();
        std::vector<std::u16string> names;
        for (const EstimateEntry& e : keeper->entries())
            names.push_back(e.name);
        QCOMPARE(names, (std::vector<std::u16string>{u"\U0001F697 x", u"\U0001F699 x"}));
        keeper->open(keeper->entries().front().key);
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

    void theWindowFitsTheScreenAndNamesItsControls()
    {
        window().present();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(area.contains(window().frameGeometry()));
        QVERIFY(window().minimumSizeHint().width() <= 1024);
        for (Caption c : {Caption::NewEstimate, Caption::OpenEstimate, Caption::RenameEstimate,
                          Caption::DuplicateEstimate, Caption::DeleteEstimate, Caption::DeleteLine,
                          Caption::ClearEstimate, Caption::CopyTable, Caption::SaveCsv, Caption::PrintDialog,
                          Caption::SavePdf}) {
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
