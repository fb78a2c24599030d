// The real window on small screens, under the Russian locale: the error box
// for any text, the popups of the size lists and the input field's menu.
// Run on offscreen screens of 800x600 and 1024x768 (see CMakeLists.txt),
// started as the program starts.

#include "app/drop_down_list.h"
#include "app/form1.h"
#include "app/kinds_list.h"
#include "app/startup.h"
#include "tests/app/find_control.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace tarvik;

class SmallScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> form;

    template <class T> T* find(const char* name) const
    {
        return tarvik::testing::findControl<T>(form.get(), QString::fromLatin1(name));
    }
    void chooseKind(int section, int row)
    {
        QTest::mouseClick(find<QPushButton>(qPrintable(QStringLiteral("sButton%1").arg(section))),
                          Qt::LeftButton);
        auto* list = find<KindsList>(qPrintable(QStringLiteral("sListBox%1").arg(section)));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }
    static QRect availableArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void init()
    {
        form = std::make_unique<TForm1>();
        form->placeOnScreen();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void errorBoxIsWholeAndReadable_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("shownWhole");
        auto repeated = [](const QString& piece, int length) {
            return piece.repeated(length / static_cast<int>(piece.size()) + 1).left(length);
        };
        QTest::newRow("3000 characters with spaces") << repeated(QStringLiteral("12.5 "), 3000) << false;
        QTest::newRow("3000 characters without spaces") << repeated(QStringLiteral("12.5"), 3000) << false;
        QTest::newRow("300 characters without spaces") << repeated(QStringLiteral("12.5"), 300) << true;
        QTest::newRow("a short text") << QStringLiteral("12.5") << true;
        QTest::newRow("a right-to-left override") << QStringLiteral("\u202E12.5") << true;
    }
    void errorBoxIsWholeAndReadable()
    {
        QFETCH(QString, input);
        QFETCH(bool, shownWhole);
        const QString message =
            QLatin1Char('\'') + input + QStringLiteral("' is not a valid floating point value.");

        chooseKind(1, 0);
        QTest::mouseClick(find<QRadioButton>("sRadioGroupItem0"), Qt::LeftButton, {}, QPoint(8, 12));
        auto* sizes = find<DropDownList>("sComboBoxElement");
        sizes->setCurrentIndex(3);
        emit sizes->activated(3);
        find<QLineEdit>("sEditParam")->setText(input); // as pasted through the context menu

        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            const QRect area = availableArea();
            QVERIFY2(area.contains(box->frameGeometry()),
                     qPrintable(QStringLiteral("box frame %1,%2 %3x%4")
                                    .arg(box->frameGeometry().x())
                                    .arg(box->frameGeometry().y())
                                    .arg(box->frameGeometry().width())
                                    .arg(box->frameGeometry().height())));
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            QVERIFY(ok && ok->isVisible());
            QVERIFY(box->rect().contains(QRect(ok->mapTo(box, QPoint(0, 0)), ok->size())));

            // The box still says the whole message (Ctrl+C copies it).
            QCOMPARE(box->text(), message);
            auto* label = box->findChild<QLabel*>(QStringLiteral("errorBoxShownText"));
            QVERIFY(label && label->isVisible());
            QVERIFY(box->rect().contains(QRect(label->mapTo(box, QPoint(0, 0)), label->size())));
            // Nothing of the shown text is cut off by the label's edges.
            QVERIFY(label->heightForWidth(label->width()) <= label->height());
            // The quoted input is drawn between Unicode isolates.
            const QString drawn = QString(label->text()).remove(QChar(0x200B));
            const bool isolated = drawn.startsWith(QStringLiteral("'\u2068")) &&
                                  drawn.contains(QStringLiteral("\u2069' is not"));
            const QString shown = QString(drawn).remove(QChar(0x2068)).remove(QChar(0x2069));
            if (shownWhole) {
                QCOMPARE(shown, message);
            } else if (shown != message) {
                QVERIFY(shown.contains(QChar(0x2026)));
                QVERIFY(shown.startsWith(message.left(40)));
                QVERIFY(shown.endsWith(message.right(80)));
                QVERIFY(shown.size() > 200); // not a word or two
            }
            ok->click();
            QVERIFY(isolated);
        });
        QTest::mouseClick(find<QPushButton>("sButtonCalc"), Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(find<QLabel>("sLabelResult")->text().isEmpty());
    }

    void popupShowsTheLongestSheetingSize()
    {
        chooseKind(7, 0);
        auto* sizes = find<DropDownList>("sComboBoxElement");
        const QRect closed = sizes->geometry();
        QString longest;
        for (int i = 0; i < sizes->count(); ++i) {
            if (sizes->itemText(i).size() > longest.size())
                longest = sizes->itemText(i);
        }
        QCOMPARE(longest, QStringLiteral("С10-1100-0,55"));

        sizes->showPopup();
        QAbstractItemView* items = sizes->view();
        QVERIFY(QTest::qWaitForWindowExposed(items->window()));
        const int textWidth = items->fontMetrics().horizontalAdvance(longest);
        // Each item asks for its text and the margins around it; an item
        // given less is drawn elided ("С10-1…-0,55").
        QVERIFY(items->viewport()->width() >= items->sizeHintForColumn(0));
        QVERIFY(items->viewport()->width() > textWidth);
        QVERIFY(availableArea().contains(items->window()->geometry()));
        sizes->hidePopup();
        QCOMPARE(sizes->geometry(), closed);
        QCOMPARE(closed, QRect(48, 136, 121, 25));
    }

    void fieldMenuIsRussianWithoutShortcutsTheFieldDrops()
    {
        auto* edit = find<QLineEdit>("sEditParam");
        QMenu* menu = nullptr;
        QTimer::singleShot(0, [&] { menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()); });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &event);
        QTRY_VERIFY(menu);
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                texts << action->text();
        }
        QVERIFY2(texts.contains(QStringLiteral("Выделить всё")), qPrintable(texts.join(u'|')));
        for (const QString& text : texts)
            QVERIFY2(!text.contains(u'\t') && !text.contains(QStringLiteral("Ctrl")), qPrintable(text));
        menu->close();
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    SmallScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "small_screen_test.moc"
