// The real window on the offscreen platform: controls, events and the error
// box as a user meets them.

#include "app/drop_down_list.h"
#include "app/error_guard.h"
#include "app/form1.h"
#include "app/icon.h"
#include "app/kinds_list.h"
#include "app/skin.h"
#include "calculator/form_layout.h"
#include "tests/app/find_control.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <functional>

#include <algorithm>
#include <string_view>

using namespace tarvik;

namespace {

// The kind of control a user gets for each class of the stored description.
bool builtAs(const QObject* control, form::ControlClass controlClass)
{
    switch (controlClass) {
    case form::ControlClass::Panel:
    case form::ControlClass::PlainPanel:
        return control->isWidgetType();
    case form::ControlClass::Button:
        return qobject_cast<const QPushButton*>(control);
    case form::ControlClass::KindsList:
        return qobject_cast<const KindsList*>(control);
    case form::ControlClass::RadioGroup:
    case form::ControlClass::GroupBox:
        return qobject_cast<const QGroupBox*>(control);
    case form::ControlClass::DropDownList:
        return qobject_cast<const DropDownList*>(control);
    case form::ControlClass::Label:
    case form::ControlClass::Image:
        return qobject_cast<const QLabel*>(control);
    case form::ControlClass::Edit:
        return qobject_cast<const QLineEdit*>(control);
    case form::ControlClass::SkinManager:
        return !control->isWidgetType();
    }
    return false;
}

QString text(std::string_view latin1)
{
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> form;
    QString storedMaterial;

    template <class T> T* find(const char* name) const
    {
        return tarvik::testing::findControl<T>(form.get(), QString::fromLatin1(name));
    }
    void clickHeader(int section)
    {
        QTest::mouseClick(find<QPushButton>(qPrintable(QStringLiteral("sButton%1").arg(section))),
                          Qt::LeftButton);
    }
    void clickKind(int section, int row, Qt::KeyboardModifiers modifiers = {})
    {
        auto* list = find<KindsList>(qPrintable(QStringLiteral("sListBox%1").arg(section)));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualRect(list->model()->index(row, 0)).center());
    }
    void clickMode(int item)
    {
        QTest::mouseClick(find<QRadioButton>(qPrintable(QStringLiteral("sRadioGroupItem%1").arg(item))),
                          Qt::LeftButton, {}, QPoint(8, 12));
    }
    void pick(const char* list, int index)
    {
        auto* combo = find<QComboBox>(list);
        combo->setCurrentIndex(index);
        emit combo->activated(index); // what a pick from the popup emits
    }
    void typeInto(QWidget* w, const QString& text)
    {
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::keyClicks(w, text);
    }
    QString result() const { return find<QLabel>("sLabelResult")->text(); }
    // Runs `action` and returns what the modal error box said, closing it.
    struct Box {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        bool shown = false;
    };
    // How a test closes the box: from code, or as a user does.
    enum class BoxClose { Accept, ClickOk, Enter };
    Box expectBox(const std::function<void()>& action, BoxClose close = BoxClose::Accept)
    {
        Box box;
        QTimer::singleShot(0, [&box, close] {
            auto* mb = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!mb)
                return;
            box = {mb->windowTitle(), mb->text(), mb->icon(), static_cast<int>(mb->buttons().size()), true};
            if (close == BoxClose::Accept) {
                mb->accept();
                return;
            }
            // The box takes the keys once it is the active window.
            if (!QTest::qWaitForWindowActive(mb))
                return;
            if (close == BoxClose::ClickOk)
                QTest::mouseClick(mb->button(QMessageBox::Ok), Qt::LeftButton);
            else
                QTest::keyClick(mb, Qt::Key_Return);
        });
        action();
        return box;
    }
    // Pastes through the field's context menu, the one way a text reaches
    // it past the key rules.
    void pasteThroughMenu(QLineEdit* edit, const QString& text)
    {
        QApplication::clipboard()->setText(text);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &menuEvent);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
        QVERIFY(paste);
        paste->trigger();
        menu->close();
    }

private slots:
    void init()
    {
        form = std::make_unique<TForm1>();
        form->setSeparatorSource([] { return u','; });
        // The material's choice is kept here, never in the user's settings.
        storedMaterial.clear();
        form->setMaterialStore(
            {[this] { return storedMaterial; }, [this](const QString& value) { storedMaterial = value; }});
        form->placeOnScreen();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void startsNarrowWithEveryControlInPlace()
    {
        QCOMPARE(form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Тарвик"));
        QCOMPARE(form->size(), QSize(232, 696));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->minimumSize(), form->maximumSize());

        QCOMPARE(find<QPushButton>("sButton1")->font().pixelSize(), 15);
        QVERIFY(find<QPushButton>("sButton1")->font().bold());
        QCOMPARE(find<QWidget>("sListBox3")->font().pixelSize(), 11);
        QCOMPARE(find<QLabel>("sLabelResult")->font().pixelSize(), 21);
        QCOMPARE(find<QLabel>("sComboBoxE1BoundLabel")->font().pixelSize(), 16);
        QCOMPARE(QFontInfo(find<QPushButton>("sButton1")->font()).family(),
                 QStringLiteral("Liberation Sans"));

        QCOMPARE(find<QPushButton>("sButton10")->text(), QStringLiteral("Труба профильная"));
        QCOMPARE(find<QGroupBox>("sRadioGroup")->title(), QStringLiteral("Расчитать"));
        QCOMPARE(find<QRadioButton>("sRadioGroupItem0")->text(), QStringLiteral("Массу по площади"));
        QVERIFY(!find<QRadioButton>("sRadioGroupItem0")->isChecked());
        QVERIFY(!find<QRadioButton>("sRadioGroupItem1")->isChecked());
        QCOMPARE(find<QLineEdit>("sEditParam")->text(), QStringLiteral("0"));
        QVERIFY(result().isEmpty());
        QVERIFY(find<QWidget>("sComboBoxElement")->isHidden());
        QVERIFY(find<QWidget>("sComboBoxElementBoundLabel")->isHidden());
        QVERIFY(!find<QWidget>("sComboBoxE1")->isHidden());
        QVERIFY(find<QWidget>("sEditParamBoundLabel")->isHidden());
        QCOMPARE(find<QLabel>("sComboBoxE2BoundLabel")->text(), QStringLiteral("Размер"));

        // The start window shows no kinds list (every section is closed) and
        // not the right column, which lies beyond its edge.
        for (int k = 1; k <= 13; ++k)
            QVERIFY(!find<QWidget>(qPrintable(QStringLiteral("sListBox%1").arg(k)))->isVisible());
        QVERIFY(!find<QWidget>("sPanel4")->isVisible());
        QVERIFY(!find<QWidget>("materialGroup")->isVisible());

        // Every kind shows without a scroll bar.
        clickHeader(1);
        auto* rebar = find<KindsList>("sListBox1");
        QVERIFY(rebar->isVisible());
        QCOMPARE(rebar->count(), 8);
        QCOMPARE(rebar->viewport()->height(), 8 * 14);
        QCOMPARE(rebar->visualRect(rebar->model()->index(7, 0)).bottom(), 8 * 14 - 1);
    }

    // Rows of the stored description, written out here rather than read from
    // it, so that a wrong row shows: in the description and in the control
    // built from it.
    void buildsEachControlFromItsRow()
    {
        using enum form::ControlClass;
        const struct {
            const char* name;
            form::ControlClass controlClass;
            const char* parent;
            QRect geometry;
        } rows[] = {
            // The window and its left column grew by the material's 265 rows.
            {"sPanel1", Panel, "Form1", {0, 0, 232, 696}},
            {"sPanel2", Panel, "sPanel1", {7, 7, 218, 683}},
            {"sPanel4", Panel, "sPanel1", {232, 7, 399, 418}},
            {"Panel1", PlainPanel, "sPanel2", {8, 8, 203, 25}},
            {"Panel12", PlainPanel, "sPanel2", {8, 272, 203, 25}},
            {"Panel13", PlainPanel, "sPanel2", {8, 296, 203, 25}},
            {"sListBox13", KindsList, "Panel13", {0, 25, 203, 130}},
            {"sButton7", Button, "Panel7", {0, 0, 203, 25}},
            {"sListBox1", KindsList, "Panel1", {0, 25, 205, 116}},
            {"sListBox9", KindsList, "Panel9", {0, 25, 203, 74}},
            {"sRadioGroup", RadioGroup, "sPanel4", {16, 24, 365, 81}},
            {"sComboBoxElement", DropDownList, "sPanel4", {48, 136, 121, 25}},
            {"sComboBoxE1", DropDownList, "sPanel4", {48, 136, 121, 25}},
            {"sComboBoxE2", DropDownList, "sPanel4", {224, 136, 121, 25}},
            {"sGroupBox1", GroupBox, "sPanel4", {24, 240, 357, 65}},
            {"sLabelResult", Label, "sGroupBox1", {64, 24, 6, 24}},
            {"sButtonCalc", Button, "sPanel4", {248, 320, 97, 25}},
            {"sEditParam", Edit, "sPanel4", {48, 192, 105, 25}},
            {"Image2", Image, "sPanel4", {16, 360, 369, 46}},
            {"sSkinManager1", SkinManager, "Form1", {0, 0, 0, 0}},
        };
        const auto stored = form::components();
        for (const auto& row : rows) {
            const auto c = std::ranges::find(stored, std::string_view(row.name), &form::Component::name);
            QVERIFY2(c != stored.end(), row.name);
            QVERIFY2(c->controlClass == row.controlClass, row.name);
            QCOMPARE(c->parent < 0 ? QStringLiteral("Form1")
                                   : text(stored[static_cast<std::size_t>(c->parent)].name),
                     QString::fromLatin1(row.parent));
            QCOMPARE(QRect(c->left, c->top, c->width, c->height), row.geometry);

            const QObject* control = find<QObject>(row.name);
            QVERIFY2(builtAs(control, row.controlClass), row.name);
            QCOMPARE(control->parent()->objectName(), QString::fromLatin1(row.parent));
            if (const auto* widget = qobject_cast<const QWidget*>(control))
                QCOMPARE(widget->geometry(), row.geometry);
        }
    }

    // The accordion walks the components in creation order, and siblings
    // created later stack above the earlier ones. Each is built from its row
    // of the stored description, the skin applied.
    void buildsItsComponentsInOrder()
    {
        const QStringList order = {
            "sPanel1",       "sPanel4",    "Image2",       "sRadioGroup", "sComboBoxElement", "sComboBoxE1",
            "sComboBoxE2",   "sGroupBox1", "sLabelResult", "sButtonCalc", "sEditParam",       "sPanel2",
            "Panel1",        "sButton1",   "sListBox1",    "Panel2",      "sButton2",         "sListBox2",
            "Panel3",        "sButton3",   "sListBox3",    "Panel4",      "sButton4",         "sListBox4",
            "Panel5",        "sButton5",   "sListBox5",    "Panel6",      "sButton6",         "sListBox6",
            "Panel7",        "sButton7",   "sListBox7",    "Panel8",      "sButton8",         "sListBox8",
            "Panel9",        "sButton9",   "sListBox9",    "Panel10",     "sButton10",        "sListBox10",
            "Panel11",       "sButton11",  "sListBox11",   "Panel12",     "sButton12",        "sListBox12",
            "sSkinManager1", "Panel13",    "sButton13",    "sListBox13",
        };
        const auto stored = form::components();
        QCOMPARE(form->components().componentCount(), 52);
        for (int i = 0; i < 52; ++i) {
            const form::Component& row = stored[static_cast<std::size_t>(i)];
            QCOMPARE(text(row.name), order[i]);
            const QObject* control = find<QObject>(qPrintable(order[i]));
            const QObject* parent = control->parent();
            QCOMPARE(form->components().parentOf(i),
                     parent == form.get() ? -1 : order.indexOf(parent->objectName()));
            QCOMPARE(form->components().isWindowed(i),
                     control->isWidgetType() && !qobject_cast<const QLabel*>(control));
            // The result label takes the width of its text.
            const auto* widget = qobject_cast<const QWidget*>(control);
            if (widget && order[i] != QStringLiteral("sLabelResult"))
                QCOMPARE(widget->geometry(), QRect(row.left, row.top, row.width, row.height));
        }
        QList<const QObject*> parents{form.get()};
        for (const QString& name : order)
            parents.append(find<QObject>(qPrintable(name)));
        for (const QObject* parent : parents) {
            qsizetype previous = -1;
            for (const QObject* child : parent->children()) {
                const qsizetype at = order.indexOf(child->objectName());
                if (at < 0)
                    continue;
                QVERIFY2(at > previous, qPrintable(child->objectName() + QStringLiteral(" comes too early")));
                previous = at;
            }
        }
    }

    void keepsTheWidenedWindowOnTheScreen()
    {
        // The offscreen screen is 800 wide: at the stored left 979 the frame
        // would end past its right edge. The narrow window starts where the
        // widened one fits too, so the first kind choice moves nothing.
        const QPoint start = form->frameGeometry().topLeft();
        QVERIFY(start.x() + 644 <= 800);
        clickHeader(1);
        clickKind(1, 0);
        QCOMPARE(form->frameGeometry().width(), 644);
        QCOMPARE(form->frameGeometry().topLeft(), start);
        QCOMPARE(form->height(), 696);
        clickKind(1, 2);
        QCOMPARE(form->frameGeometry().width(), 644);
    }

    void headersWorkAsAnAccordion()
    {
        clickHeader(6);
        QCOMPARE(find<QWidget>("Panel6")->height(), 43);
        QCOMPARE(find<QWidget>("Panel7")->y(), 170);
        clickHeader(1);
        QCOMPARE(find<QWidget>("Panel6")->height(), 25);
        QCOMPARE(find<QWidget>("Panel1")->height(), 141);
        QCOMPARE(find<QWidget>("Panel12")->y(), 388);
        clickHeader(1);
        QCOMPARE(find<QWidget>("Panel12")->y(), 388);

        // The skin marks the open section's header, and only that one.
        for (int k = 1; k <= 12; ++k) {
            auto* header = find<QPushButton>(qPrintable(QStringLiteral("sButton%1").arg(k)));
            QCOMPARE(header->property("tarvikOpen").toBool(), k == 1);
        }
    }

    // The material's group below the column: a grade scales the catalogue's mass and says so
    // beside the result, steel products take none, and the choice is kept for the next run.
    void aGradeScalesTheMassAndIsKept()
    {
        clickHeader(4);
        clickKind(4, 0); // round bar
        QVERIFY(find<QWidget>("materialGroup")->isVisible());
        QCOMPARE(find<QComboBox>("sComboBoxMetal")->currentText(), QStringLiteral("Сталь"));
        QCOMPARE(find<QComboBox>("sComboBoxGrade")->currentText(), QStringLiteral("Ст3"));
        QCOMPARE(find<QComboBox>("sComboBoxMetal")->accessibleName(), QStringLiteral("Металл"));
        QCOMPARE(find<QLineEdit>("sEditDensity")->accessibleName(), QStringLiteral("Своя плотность, кг/м³"));
        clickMode(0);
        typeInto(find<QComboBox>("sComboBoxElement"), QStringLiteral("20"));
        typeInto(find<QLineEdit>("sEditParam"), QStringLiteral("1000"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("2470,000 кг"));
        QCOMPARE(find<QLabel>("sLabelBasis")->text(), QStringLiteral("Масса 1 м: 2,47 кг · Ст3, 7850 кг/м³"));

        pick("sComboBoxMetal", 1);
        QCOMPARE(find<QComboBox>("sComboBoxGrade")->currentText(), QStringLiteral("12Х18Н10Т"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("2485,732 кг"));
        QCOMPARE(find<QLabel>("sLabelBasis")->text(),
                 QStringLiteral("Масса 1 м: 2,485732 кг · 12Х18Н10Т, 7900 кг/м³"));
        QVERIFY(find<QPushButton>("estimateAdd")->isEnabled()); // any grade is taken
        QVERIFY(storedMaterial.startsWith(QStringLiteral("Нержавеющая сталь\t12Х18Н10Т")));

        // A letter in the density field is refused with its reason.
        auto* density = find<QLineEdit>("sEditDensity");
        typeInto(density, QStringLiteral("8x9"));
        QCOMPARE(density->text(), QStringLiteral("89"));
        QCOMPARE(find<QLabel>("densityHint")->text(),
                 QStringLiteral("Плотность — целое число: только цифры"));

        clickHeader(1);
        clickKind(1, 0); // rebar: steel only
        QVERIFY(!find<QComboBox>("sComboBoxMetal")->isEnabled());
        QCOMPARE(find<QComboBox>("sComboBoxGrade")->currentText(), QStringLiteral("Сталь"));

        // The next run starts with the kept choice.
        const QString kept = storedMaterial;
        form.reset();
        form = std::make_unique<TForm1>();
        form->setMaterialStore({[kept] { return kept; }, [](const QString&) {}});
        QCOMPARE(find<QComboBox>("sComboBoxGrade")->currentText(), QStringLiteral("12Х18Н10Т"));
        QCOMPARE(find<QLineEdit>("sEditDensity")->text(), QStringLiteral("89"));
    }

    void anOwnSizeIsTypedDimensionByDimension()
    {
        clickHeader(13);
        QCOMPARE(find<QPushButton>("sButton13")->text(), QStringLiteral("Свой размер"));
        auto* own = find<KindsList>("sListBox13");
        QCOMPARE(own->count(), 9);
        QCOMPARE(own->viewport()->height(), 9 * 14);
        clickKind(13, 6); // profile pipe
        QVERIFY(find<QWidget>("sComboBoxE1")->isHidden());
        QVERIFY(find<QWidget>("sComboBoxElement")->isHidden());
        QVERIFY(find<QWidget>("sComboBoxRadiusStandard")->isVisible());
        QCOMPARE(find<QLabel>("sLabelDimension3")->text(), QStringLiteral("Толщина стенки, мм"));
        QCOMPARE(find<QLineEdit>("sEditDimension3")->accessibleName(), QStringLiteral("Толщина стенки, мм"));
        QVERIFY(find<QWidget>("sEditDimension4")->isVisible());
        QVERIFY(!find<QWidget>("sEditDimension5")->isVisible());
        clickMode(0);
        typeInto(find<QLineEdit>("sEditDimension1"), QStringLiteral("180"));
        typeInto(find<QLineEdit>("sEditDimension2"), QStringLiteral("60"));
        typeInto(find<QLineEdit>("sEditDimension3"), QStringLiteral("7"));
        QCOMPARE(find<QLineEdit>("sEditDimension4")->text(), QStringLiteral("17,5"));
        typeInto(find<QLineEdit>("sEditParam"), QStringLiteral("1000"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("23516,654 кг"));

        // A wall of half the smaller side gives no result, says why and takes the focus.
        auto* wall = find<QLineEdit>("sEditDimension3");
        wall->selectAll();
        QTest::keyClicks(wall, QStringLiteral("30"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QVERIFY(result().isEmpty());
        QVERIFY(find<QLabel>("dimensionHint")->isVisible());
        QCOMPARE(find<QLabel>("dimensionHint")->text(),
                 QStringLiteral("Стенка должна быть меньше половины меньшей стороны"));
        QCOMPARE(QApplication::focusWidget(), wall);

        // A catalogue kind brings the size lists back.
        clickHeader(4);
        clickKind(4, 0);
        QVERIFY(!find<QWidget>("sComboBoxElement")->isHidden());
        QVERIFY(!find<QWidget>("sEditDimension1")->isVisible());
    }

    void computesARebarMassEndToEnd()
    {
        clickHeader(1);
        clickKind(1, 0);
        clickMode(0);
        QCOMPARE(find<QLabel>("sEditParamBoundLabel")->text(), QStringLiteral("Длина, м"));
        QVERIFY(find<QLabel>("sEditParamBoundLabel")->isVisible());
        typeInto(find<QComboBox>("sComboBoxElement"), QStringLiteral("12"));
        auto* edit = find<QLineEdit>("sEditParam");
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(edit->text(), QString()); // the click emptied the zero
        QTest::keyClicks(edit, QStringLiteral("12.5"));
        QCOMPARE(edit->text(), QStringLiteral("12,5"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("11,125 кг"));
        QCOMPARE(find<QLabel>("sLabelResult")->x(), 64);
        QVERIFY(find<QLabel>("sLabelResult")->width() >= find<QLabel>("sLabelResult")->sizeHint().width());

        // The result can be selected with the mouse, without taking the focus.
        auto* label = find<QLabel>("sLabelResult");
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(label, &enter);
        QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);

        clickMode(1);
        QCOMPARE(result(), QStringLiteral("11,125 кг")); // until the next calculation
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("14,045 м"));
    }

    void followsTheLocaleSeparator()
    {
        char16_t separator = u'.';
        form->setSeparatorSource([&separator] { return separator; });
        clickHeader(1);
        clickKind(1, 0);
        clickMode(0);
        pick("sComboBoxElement", 3);
        auto* edit = find<QLineEdit>("sEditParam");
        typeInto(edit, QStringLiteral("12,5"));
        QCOMPARE(edit->text(), QStringLiteral("12.5"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("11.125 кг"));

        // A locale change announced by the platform is picked up.
        separator = u',';
        QEvent change(QEvent::LocaleChange);
        QApplication::sendEvent(form.get(), &change);
        edit->setText(QStringLiteral("12,5"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("11,125 кг"));
    }

    void keyFilterActsOnX11KeyEvents()
    {
        auto* edit = find<QLineEdit>("sEditParam");
        edit->setFocus();
        edit->setText(QStringLiteral("123"));
        edit->setCursorPosition(1);
        const auto send = [edit](int key, Qt::KeyboardModifiers mods, const QString& text) {
            QKeyEvent press(QEvent::KeyPress, key, mods, text);
            QApplication::sendEvent(edit, &press);
        };
        send(Qt::Key_Delete, {}, QStringLiteral("\x7f"));
        QCOMPARE(edit->text(), QStringLiteral("13"));
        send(Qt::Key_A, {}, QStringLiteral("a"));
        send(Qt::Key_Minus, {}, QStringLiteral("-"));
        send(Qt::Key_Space, {}, QStringLiteral(" "));
        QCOMPARE(edit->text(), QStringLiteral("13"));

        QApplication::clipboard()->setText(QStringLiteral("999"));
        send(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        send(Qt::Key_Insert, Qt::ShiftModifier, QString());
        send(Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
        send(Qt::Key_K, Qt::ControlModifier, QStringLiteral("\x0b"));
        send(Qt::Key_Backspace, Qt::ControlModifier, QStringLiteral("\b"));
        QCOMPARE(edit->text(), QStringLiteral("13"));

        send(Qt::Key_Period, {}, QStringLiteral("."));
        QCOMPARE(edit->text(), QStringLiteral("1,3"));
        send(Qt::Key_Comma, {}, QStringLiteral(","));
        QCOMPARE(edit->text(), QStringLiteral("1,3"));
        send(Qt::Key_Backspace, {}, QStringLiteral("\b"));
        QCOMPARE(edit->text(), QStringLiteral("13"));

        // Tab still moves the focus on, which runs the leave rule.
        edit->setText(QString());
        send(Qt::Key_Tab, {}, QStringLiteral("\t"));
        QVERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), QStringLiteral("0"));
    }

    void leaveRuleIgnoresTheContextMenuAndOtherApplications()
    {
        auto* edit = find<QLineEdit>("sEditParam");
        edit->setText(QString());
        for (auto reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
            QFocusEvent out(QEvent::FocusOut, reason);
            QApplication::sendEvent(edit, &out);
            QCOMPARE(edit->text(), QString());
        }
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(edit, &out);
        QCOMPARE(edit->text(), QStringLiteral("0"));
    }

    void showsTheErrorBoxAndGoesOn()
    {
        clickHeader(1);
        clickKind(1, 0);
        clickMode(0);
        pick("sComboBoxElement", 3);
        auto* edit = find<QLineEdit>("sEditParam");
        edit->setText(QStringLiteral("12.5")); // as pasted through the context menu
        const Box box =
            expectBox([&] { QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton); });
        QVERIFY(box.shown);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, 1);
        QCOMPARE(box.title, applicationTitle(QCoreApplication::applicationFilePath()));
        QCOMPARE(box.text, QStringLiteral("'12.5' is not a valid floating point value."));
        QVERIFY(result().isEmpty());
        QCOMPARE(edit->text(), QStringLiteral("12.5"));
        QCOMPARE(find<QComboBox>("sComboBoxElement")->currentText(), QStringLiteral("12"));

        QCOMPARE(applicationTitle(QStringLiteral("/usr/bin/tarvik")), QStringLiteral("tarvik"));
        QCOMPARE(applicationTitle(QStringLiteral("C/TARVIK.EXE")), QStringLiteral("Tarvik"));
    }

    // A text that does not convert, pasted; «Расчитать» and then a click into
    // the field each show the box. However the user closes it, the field
    // has the focus again and takes the keys that follow.
    void afterTheErrorBoxClosesTheFieldTakesKeys_data()
    {
        QTest::addColumn<BoxClose>("close");
        QTest::newRow("OK clicked") << BoxClose::ClickOk;
        QTest::newRow("Enter") << BoxClose::Enter;
    }
    void afterTheErrorBoxClosesTheFieldTakesKeys()
    {
        QFETCH(BoxClose, close);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        clickHeader(1);
        clickKind(1, 1);
        QCOMPARE(find<KindsList>("sListBox1")->item(1)->text(), QStringLiteral("Арматура А1"));
        auto* sizes = find<QComboBox>("sComboBoxElement");
        pick("sComboBoxElement", sizes->findText(QStringLiteral("12")));
        clickMode(0);
        auto* edit = find<QLineEdit>("sEditParam");
        QTest::mouseClick(edit, Qt::LeftButton); // the click rule empties the "0"
        pasteThroughMenu(edit, QStringLiteral("12.5"));
        QCOMPARE(edit->text(), QStringLiteral("12.5"));

        QVERIFY(expectBox([&] { QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton); }, close)
                    .shown);
        QVERIFY(expectBox([&] { QTest::mouseClick(edit, Qt::LeftButton); }, close).shown);
        // A window manager gives the window back its activation; the
        // offscreen platform leaves that to the test.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QCOMPARE(edit->text(), QStringLiteral("12.7"));
    }

    void reclickingASelectedKindReloadsIt()
    {
        clickHeader(1);
        clickKind(1, 4);
        clickHeader(3);
        clickKind(3, 0);
        clickHeader(1);
        clickKind(1, 4); // still selected in its list
        auto* sizes = find<QComboBox>("sComboBoxElement");
        QCOMPARE(sizes->count(), 1);
        QCOMPARE(sizes->itemText(0), QStringLiteral("32"));
        QCOMPARE(find<QLabel>("sComboBoxElementBoundLabel")->text(), QStringLiteral("Диаметр,мм"));

        // A Ctrl+click deselects: the kind choice then loads nothing.
        clickKind(1, 4, Qt::ControlModifier);
        QCOMPARE(sizes->count(), 0);
    }

    void keyboardMovesInAKindsListChooseKinds()
    {
        clickHeader(1);
        clickKind(1, 0);
        auto* list = find<KindsList>("sListBox1");
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->itemIndex(), 1);
        QCOMPARE(find<QComboBox>("sComboBoxElement")->count(), 14);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(find<QComboBox>("sComboBoxElement")->count(), 4);
    }

    void twoLevelPickersSteerTheHiddenSizeList()
    {
        clickHeader(6);
        clickKind(6, 0);
        clickMode(0);
        auto* first = find<QComboBox>("sComboBoxE1");
        auto* second = find<QComboBox>("sComboBoxE2");
        auto* sizes = static_cast<DropDownList*>(find<QComboBox>("sComboBoxElement"));
        QVERIFY(sizes->isHidden());
        QCOMPARE(first->count(), 7);
        QVERIFY(first->currentText().isEmpty());
        QVERIFY(!second->isEnabled());
        QVERIFY(!find<QLabel>("sComboBoxE2BoundLabel")->isEnabled());
        QCOMPARE(find<QLabel>("sComboBoxE1BoundLabel")->text(), QStringLiteral("Толщина, мм"));

        typeInto(first, QStringLiteral("6"));
        QVERIFY(second->isEnabled());
        QCOMPARE(second->count(), 7);
        QCOMPARE(second->itemText(0), QStringLiteral("100"));
        typeInto(second, QStringLiteral("25"));
        QCOMPARE(sizes->itemIndex(), 11);
        typeInto(find<QLineEdit>("sEditParam"), QStringLiteral("2"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("2,360 кг"));

        // A first level that begins no item leaves the second empty but open.
        first->clearEditText();
        typeInto(first, QStringLiteral("7"));
        QCOMPARE(second->count(), 0);
        QVERIFY(second->isEnabled());
        QCOMPARE(sizes->itemIndex(), -1);
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QVERIFY(result().isEmpty());

        // Captions stand centred 5 px above their lists, whole.
        for (const char* name : {"sComboBoxE1", "sComboBoxE2"}) {
            auto* label = find<QLabel>(qPrintable(QString::fromLatin1(name) + QStringLiteral("BoundLabel")));
            const QRect control = find<QWidget>(name)->geometry();
            QCOMPARE(label->geometry().bottom() + 1 + 5, control.top());
            QVERIFY(qAbs(label->geometry().center().x() - control.center().x()) <= 1);
            QVERIFY(label->width() >= label->sizeHint().width());
        }
        QCOMPARE(first->view()->sizeHintForRow(0), 17);
    }

    void iconIsTheRenderedDrawing()
    {
        // The compiled-in pixels must stay those of the installed 32-px icon.
        const QImage shipped(QStringLiteral(TARVIK_SOURCE_DIR "data/icons/hicolor/32x32/apps/tarvik.png"));
        QVERIFY(!shipped.isNull());
        const QImage built =
            applicationIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(built.size(), QSize(32, 32));
        QCOMPARE(built, shipped.convertToFormat(QImage::Format_ARGB32));
    }

    void dropDownListsAddNothingOnEnter()
    {
        clickHeader(1);
        clickKind(1, 2);
        auto* sizes = find<QComboBox>("sComboBoxElement");
        QCOMPARE(sizes->count(), 4);
        QVERIFY(sizes->currentText().isEmpty());
        QCOMPARE(sizes->maxVisibleItems(), 16);
        typeInto(sizes, QStringLiteral("77"));
        QTest::keyClick(sizes, Qt::Key_Return);
        QCOMPARE(sizes->count(), 4);
        QCOMPARE(static_cast<DropDownList*>(sizes)->itemIndex(), -1);

        // Completion selects the first item that begins with the typed text.
        sizes->clearEditText();
        typeInto(sizes, QStringLiteral("1"));
        QCOMPARE(static_cast<DropDownList*>(sizes)->itemIndex(), 1); // "10"
        QCOMPARE(sizes->currentIndex(), -1);                         // Qt's own never moves
    }

    void aKindChoiceTakesTheHighlightFromEveryOtherSection()
    {
        auto* squares = find<KindsList>("sListBox3");
        auto* rounds = find<KindsList>("sListBox4");
        auto* sizes = find<QComboBox>("sComboBoxElement");
        find<QLineEdit>("sEditParam")->setText(QStringLiteral("1"));
        clickHeader(3);
        clickKind(3, 0);
        clickMode(0);
        typeInto(sizes, QStringLiteral("20"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("3,140 кг"));
        clickHeader(4);
        clickKind(4, 0);
        typeInto(sizes, QStringLiteral("20"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("2,470 кг"));

        // Opened again, the square bar's section highlights nothing...
        clickHeader(3);
        QVERIFY(squares->selectedItems().isEmpty());
        QCOMPARE(squares->itemIndex(), -1);
        QCOMPARE(rounds->itemIndex(), 0);
        // ... until its kind is clicked, which loads the square bars.
        clickKind(3, 0);
        QCOMPARE(rounds->itemIndex(), -1);
        typeInto(sizes, QStringLiteral("20"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("3,140 кг"));
    }

    void theShownSizeIsTheSizeUsed()
    {
        auto* sizes = static_cast<DropDownList*>(find<QComboBox>("sComboBoxElement"));
        auto* calc = find<QPushButton>("sButtonCalc");
        find<QLineEdit>("sEditParam")->setText(QStringLiteral("1"));
        clickHeader(1);
        clickKind(1, 0); // "Арматура А3 А500с"
        clickMode(0);
        typeInto(sizes, QStringLiteral("4"));
        QCOMPARE(sizes->currentText(), QStringLiteral("40")); // completed
        QCOMPARE(sizes->itemText(sizes->itemIndex()), QStringLiteral("40"));
        QTest::mouseClick(calc, Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("9,870 кг"));
        for (auto key : {Qt::Key_Delete, Qt::Key_Backspace}) {
            sizes->clearEditText();
            typeInto(sizes, QStringLiteral("4"));
            QCOMPARE(sizes->itemText(sizes->itemIndex()), QStringLiteral("40"));
            QTest::keyClick(sizes, key); // takes the completion away
            QCOMPARE(sizes->currentText(), QStringLiteral("4"));
            QCOMPARE(sizes->itemIndex(), -1);
            QTest::mouseClick(calc, Qt::LeftButton);
            QVERIFY(result().isEmpty());
        }

        // Letter case aside, typed text completes to its size, shown in the
        // item's own letters: "30 Б2" of the normal beams, which weighs
        // 36.7 kg per metre.
        clickHeader(2);
        clickKind(2, 5);
        typeInto(sizes, QStringLiteral("30 "));
        QTest::sendKeyEvent(QTest::Click, sizes, static_cast<Qt::Key>(u'Б'), QStringLiteral("б"), {});
        QTest::keyClick(sizes, Qt::Key_2);
        QCOMPARE(sizes->currentText(), QStringLiteral("30 Б2"));
        QCOMPARE(sizes->itemIndex(), 4);
        QTest::mouseClick(calc, Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("36,700 кг"));

        // The second picker follows the same rule: "2" completes to "25".
        clickHeader(6);
        clickKind(6, 0);
        auto* second = static_cast<DropDownList*>(find<QComboBox>("sComboBoxE2"));
        typeInto(find<QComboBox>("sComboBoxE1"), QStringLiteral("6"));
        typeInto(second, QStringLiteral("2"));
        QCOMPARE(second->currentText(), QStringLiteral("25"));
        QCOMPARE(sizes->itemIndex(), 11); // "6x25"
        QTest::keyClick(second, Qt::Key_Delete);
        QCOMPARE(second->itemIndex(), -1);
        QCOMPARE(sizes->itemIndex(), -1);
        QTest::keyClick(second, Qt::Key_5);
        QCOMPARE(sizes->itemIndex(), 11);
    }

    // The table the page's test reads too: both faces complete alike.
    void typedTextCompletesAsInEveryFace()
    {
        QFile table(QStringLiteral(TARVIK_SOURCE_DIR "tests/calculator/completion_cases.tsv"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        auto* sizes = static_cast<DropDownList*>(find<QComboBox>("sComboBoxElement"));
        int rows = 0;
        for (const QString& line : QString::fromUtf8(table.readAll()).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList f = line.split(u'\t');
            QCOMPARE(f.size(), 6);
            const int section = f[0].toInt();
            if (find<KindsList>(qPrintable(QStringLiteral("sListBox%1").arg(section)))->isHidden())
                clickHeader(section);
            clickKind(section, f[1].toInt());
            sizes->clearEditText();
            QTest::mouseClick(sizes, Qt::LeftButton);
            for (QChar ch : f[3])
                QTest::sendKeyEvent(QTest::Click, sizes, static_cast<Qt::Key>(ch.toUpper().unicode()),
                                    QString(ch), {});
            if (f[2] == QStringLiteral("deleted"))
                QTest::keyClick(sizes, Qt::Key_Backspace);
            QCOMPARE(sizes->currentText(), f[4]);
            QCOMPARE(sizes->itemIndex() < 0 ? QStringLiteral("-") : sizes->itemText(sizes->itemIndex()),
                     f[5]);
            ++rows;
        }
        QVERIFY(rows > 0);
    }

    // Presses Tab until the focus comes back and answers the names it met.
    QStringList tabStops(QWidget* from)
    {
        from->setFocus(Qt::TabFocusReason);
        QStringList stops;
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == from)
                return stops;
            stops << now->objectName();
        }
        return stops << QStringLiteral("(no cycle)");
    }

    void tabLandsOnlyOnControlsThatCanBeSeen()
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* first = find<QPushButton>("sButton1");
        QStringList headers;
        for (int k = 2; k <= 13; ++k)
            headers << QStringLiteral("sButton%1").arg(k);
        QCOMPARE(tabStops(first), headers); // narrow, every section closed

        clickHeader(3);
        QStringList stops = tabStops(first);
        QCOMPARE(stops.size(), 13);
        QCOMPARE(stops.indexOf(QStringLiteral("sListBox3")), stops.indexOf(QStringLiteral("sButton3")) + 1);

        clickKind(3, 0);
        stops = tabStops(first);
        for (const char* shown : {"sListBox3", "sRadioGroupItem0", "sComboBoxElement", "sButtonCalc",
                                  "sEditParam", "sComboBoxMetal", "sComboBoxGrade", "sEditDensity"})
            QVERIFY2(stops.contains(QLatin1String(shown)), shown);
        for (const QString& name : stops) {
            QVERIFY2(!name.startsWith(QLatin1String("sListBox")) || name == QLatin1String("sListBox3"),
                     qPrintable(name));
            QVERIFY2(find<QWidget>(qPrintable(name))->isVisible(), qPrintable(name));
        }
        // The visible stops keep the order of the window's focus chain.
        QStringList chain;
        for (QWidget* w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain())
            chain << w->objectName();
        int last = -1;
        for (const QString& name : stops) {
            const int at = chain.indexOf(name);
            QVERIFY2(at > last, qPrintable(name));
            last = at;
        }
    }

    void theFirstArrowSelectsTheFirstKind()
    {
        clickHeader(2);
        auto* beams = find<KindsList>("sListBox2");
        auto* sizes = find<QComboBox>("sComboBoxElement");
        beams->setFocus(Qt::TabFocusReason); // Qt makes row 0 current, selecting nothing
        QCOMPARE(beams->itemIndex(), -1);
        QTest::keyClick(beams, Qt::Key_Down);
        QCOMPARE(beams->itemIndex(), 0);
        QCOMPARE(sizes->count(), 9); // "Балка ГОСТ 8239"
        QTest::keyClick(beams, Qt::Key_Down);
        QCOMPARE(beams->itemIndex(), 1);

        // A list whose selection a choice elsewhere took away starts over too.
        clickHeader(1);
        clickKind(1, 0);
        clickHeader(2);
        QCOMPARE(beams->itemIndex(), -1);
        QTest::keyClick(beams, Qt::Key_Up);
        QCOMPARE(beams->itemIndex(), 0);
        QCOMPARE(sizes->count(), 9);
    }

    void keyboardFocusIsAlwaysVisibleAndUnlikeTheOpenMark()
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        clickHeader(1);
        clickKind(1, 0);
        auto* elsewhere = find<QPushButton>("sButton12");
        // Shown after a mouse click too, not only once a key has moved it
        // (when Fusion would show it).
        const auto look = [&](QWidget* w, bool focused) {
            (focused ? w : elsewhere)->setFocus(Qt::MouseFocusReason);
            form->setAttribute(Qt::WA_KeyboardFocusChange, false);
            return w->grab().toImage();
        };
        auto* header = find<QPushButton>("sButton2");
        const QImage closed = look(header, false), closedFocused = look(header, true);
        clickHeader(2);
        const QImage open = look(header, false), openFocused = look(header, true);
        const QImage looks[] = {closed, closedFocused, open, openFocused};
        for (int a = 0; a < 4; ++a) {
            for (int b = a + 1; b < 4; ++b)
                QVERIFY2(looks[a] != looks[b], qPrintable(QStringLiteral("%1 and %2").arg(a).arg(b)));
        }
        for (const char* name :
             {"sListBox2", "sRadioGroupItem0", "sComboBoxElement", "sButtonCalc", "sEditParam", "sButton1"}) {
            auto* w = find<QWidget>(name);
            QVERIFY2(look(w, false) != look(w, true), name);
        }
    }

    void enterPressesTheFocusedButtonButNotTheField()
    {
        clickHeader(1);
        clickKind(1, 0);
        clickMode(0);
        pick("sComboBoxElement", 3);
        auto* calc = find<QPushButton>("sButtonCalc");
        auto* edit = find<QLineEdit>("sEditParam");
        edit->setText(QStringLiteral("1"));
        for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
            form->window().setResultText(u"");
            calc->setFocus(Qt::TabFocusReason);
            QTest::keyClick(calc, key);
            QCOMPARE(result(), QStringLiteral("0,890 кг"));
            form->window().setResultText(u"");
            edit->setFocus(Qt::TabFocusReason);
            QTest::keyClick(edit, key);
            QCOMPARE(edit->text(), QStringLiteral("1"));
            QVERIFY(result().isEmpty());
        }
        auto* header = find<QPushButton>("sButton5");
        header->setFocus(Qt::TabFocusReason);
        QTest::keyClick(header, Qt::Key_Return);
        QCOMPARE(find<QWidget>("Panel5")->height(), 25 + 46);
    }

    void copiesTheResultWithAndWithoutItsUnit()
    {
        auto* clipboard = QApplication::clipboard();
        for (char16_t separator : {u',', u'.'}) {
            form->setSeparatorSource([separator] { return separator; });
            const QString number = separator == u',' ? QStringLiteral("11,125") : QStringLiteral("11.125");
            clickHeader(1);
            clickKind(1, 0);
            clickMode(0);
            pick("sComboBoxElement", 3);
            find<QLineEdit>("sEditParam")
                ->setText(QStringLiteral("12") + QChar(separator) + QStringLiteral("5"));
            QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
            QCOMPARE(result(), number + QStringLiteral(" кг"));

            // A right click on the result opens its menu.
            auto* label = find<QLabel>("sLabelResult");
            for (bool withUnit : {false, true}) {
                clipboard->clear();
                QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2),
                                            label->mapToGlobal(QPoint(2, 2)));
                QApplication::sendEvent(label, &menuEvent);
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu);
                const QList<QAction*> actions = menu->actions();
                QCOMPARE(actions.size(), 2);
                QCOMPARE(actions[0]->text(), QStringLiteral("Копировать"));
                QCOMPARE(actions[0]->shortcut(), QKeySequence(QKeySequence::Copy));
                QVERIFY(actions[0]->isShortcutVisibleInContextMenu());
                QCOMPARE(actions[1]->text(), QStringLiteral("Копировать с единицей"));
                actions[withUnit ? 1 : 0]->trigger();
                menu->close();
                QCOMPARE(clipboard->text(), withUnit ? number + QStringLiteral(" кг") : number);
            }

            // Ctrl+C copies the number from a button, a kinds list or the mode group.
            for (const char* name : {"sButtonCalc", "sButton1", "sListBox1", "sRadioGroupItem0"}) {
                clipboard->setText(QStringLiteral("before"));
                auto* w = find<QWidget>(name);
                w->setFocus(Qt::TabFocusReason);
                QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
                QCOMPARE(clipboard->text(), number);
            }
        }
        // Elsewhere Ctrl+C keeps its meaning: inert in the input field, the
        // selected text in a drop-down list.
        clipboard->setText(QStringLiteral("before"));
        auto* edit = find<QLineEdit>("sEditParam");
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("before"));
        auto* sizes = find<QComboBox>("sComboBoxElement");
        sizes->setFocus(Qt::TabFocusReason);
        sizes->lineEdit()->selectAll();
        QTest::keyClick(sizes, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("12"));
        // With no result there is nothing to copy.
        clickKind(1, 0);
        QTest::keyClick(find<QWidget>("sListBox1"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("12"));
    }

    // The result beside changed inputs is dimmed, keeps its text and says why.
    void aResultBesideChangedInputsIsShownOutOfDate()
    {
        auto* label = find<QLabel>("sLabelResult");
        const auto computeRebar12 = [&] {
            clickHeader(1);
            clickKind(1, 0);
            clickMode(0);
            pick("sComboBoxElement", 3);
            find<QLineEdit>("sEditParam")->setText(QStringLiteral("12,5"));
            QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
            QCOMPARE(result(), QStringLiteral("11,125 кг"));
            QVERIFY(label->accessibleDescription().isEmpty());
        };
        const QColor current = label->palette().color(QPalette::WindowText);
        const std::pair<const char*, std::function<void()>> changes[] = {
            {"size", [&] { pick("sComboBoxElement", 13); }},
            {"mode", [&] { clickMode(1); }},
            {"number",
             [&] {
                 auto* edit = find<QLineEdit>("sEditParam");
                 edit->setFocus(Qt::TabFocusReason);
                 edit->end(false);
                 QTest::keyClick(edit, Qt::Key_5);
             }},
        };
        for (const auto& [what, change] : changes) {
            computeRebar12();
            change();
            QVERIFY2(label->palette().color(QPalette::WindowText) != current, what);
            QVERIFY2(!label->accessibleDescription().isEmpty(), what);
            QCOMPARE(result(), QStringLiteral("11,125 кг"));
            QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
            QCOMPARE(label->palette().color(QPalette::WindowText), current);
        }
    }

    void aRefusedKeySaysWhyAndASeparatorFirstGivesZero()
    {
        clickHeader(1);
        clickKind(1, 0);
        auto* edit = find<QLineEdit>("sEditParam");
        auto* hint = find<QLabel>("inputHint");
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral(",5"));
        QCOMPARE(edit->text(), QStringLiteral("0,5"));
        QVERIFY(hint->isHidden());
        QTest::keyClicks(edit, QStringLiteral("-"));
        QCOMPARE(edit->text(), QStringLiteral("0,5"));
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), QStringLiteral("Только цифры и запятая"));
        QCOMPARE(edit->accessibleDescription(), hint->text());
        QTest::keyClick(edit, Qt::Key_Escape); // a control key stays silent
        QCOMPARE(hint->text(), QStringLiteral("Только цифры и запятая"));
    }

    void calculateSaysWhatIsMissingAndTheKindInUseIsNamed()
    {
        clickHeader(3);
        clickKind(3, 0);
        QCOMPARE(find<QLabel>("kindInUse")->text(), QStringLiteral("Квадрат ГОСТ 2591"));
        QVERIFY(find<QLabel>("kindInUse")->isVisible());
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* notice = find<QLabel>("missingInput");
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(), QStringLiteral("Выберите, что рассчитать"));
        QCOMPARE(QApplication::focusWidget(), find<QWidget>("sRadioGroupItem0"));
        clickMode(0);
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(notice->text(), QStringLiteral("Выберите размер"));
        QCOMPARE(QApplication::focusWidget(), find<QWidget>("sComboBoxElement"));
        pick("sComboBoxElement", 0);
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QVERIFY(notice->isHidden());
        QVERIFY(!result().isEmpty());
    }

    void aPastedNumberArrivesCleaned()
    {
        clickHeader(1);
        clickKind(1, 0);
        auto* edit = find<QLineEdit>("sEditParam");
        edit->clear();
        pasteThroughMenu(edit, QStringLiteral("\t1\u00A0250,50\r\n"));
        QCOMPARE(edit->text(), QStringLiteral("1250,50"));
    }

    void tabFollowsTheColumnDownToCalculate()
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        clickHeader(1);
        clickKind(1, 0);
        const QStringList stops = tabStops(find<QWidget>("sButton1"));
        QStringList column;
        for (const QString& name : stops) {
            if (name == QLatin1String("sRadioGroupItem0") || name == QLatin1String("sComboBoxElement") ||
                name == QLatin1String("sEditParam") || name == QLatin1String("sButtonCalc"))
                column << name;
        }
        QCOMPARE(column, QStringList({"sRadioGroupItem0", "sComboBoxElement", "sEditParam", "sButtonCalc"}));
    }

    void aSizeBoxTakesTheWheelOnlyWithTheFocusAndShowsTheStartOfItsText()
    {
        clickHeader(7);
        clickKind(7, 1); // "Профнастил с пол. покрытием"
        auto* sizes = find<QComboBox>("sComboBoxElement");
        const int last = sizes->count() - 1;
        pick("sComboBoxElement", last);
        find<QPushButton>("sButtonCalc")->setFocus(Qt::TabFocusReason);
        const QString before = sizes->currentText();
        QWheelEvent wheel(QPointF(5, 5), sizes->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -240), Qt::NoButton,
                          {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(sizes, &wheel);
        QCOMPARE(sizes->currentText(), before);
        QCOMPARE(sizes->lineEdit()->cursorPosition(), 0);
    }

    void theLongestResultFitsItsBox()
    {
        clickHeader(5);
        clickKind(5, 0); // "Лист горячекатаный"
        clickMode(1);
        const int size = find<QComboBox>("sComboBoxElement")->findText(QStringLiteral("100"));
        QVERIFY(size >= 0);
        pick("sComboBoxElement", size);
        find<QLineEdit>("sEditParam")->setText(QStringLiteral("78499999999999999999"));
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QCOMPARE(result(), QStringLiteral("100000000000000000,000 кв.м"));
        auto* label = find<QLabel>("sLabelResult");
        const QRect box = find<QWidget>("sGroupBox1")->rect();
        QVERIFY(box.contains(label->geometry()));
        QVERIFY(label->width() >= label->sizeHint().width());
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applySkin(app);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
