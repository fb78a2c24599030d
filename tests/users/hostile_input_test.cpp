// Hostile input through the real window: pasted through the field's context
// menu, then computed in both modes, clicked into and left. Every step is
// also held to the session's invariants (result against the reference, the
// error box's text, title, plain-text format and a reachable OK button).

#include "model.h"
#include "session.h"

#include "app/form1.h"
#include "app/kinds_list.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tarvik::users {
namespace {

enum Outcome { Result, NotAFloat, Overflow };

struct Hostile {
    const char* name;
    QString input;
    Outcome mode0, mode1;
    // The result in mode 0 with rebar "12" (0.89 kg per metre), where it
    // is plain to see; otherwise only the reference's text is checked.
    const char* result0 = nullptr;
    bool zero = false; // reads as zero, so a click into the field empties it
};

void PrintTo(const Hostile& row, std::ostream* out)
{
    *out << row.name;
}

QString repeated(const QString& unit, int length)
{
    QString s;
    while (s.size() < length)
        s += unit;
    return s.left(length);
}

const std::vector<Hostile>& hostileInputs()
{
    static const std::vector<Hostile> rows = {
        {"LongDigitsBeyondTheRange", QString(32767, u'9'), NotAFloat, NotAFloat},
        {"LongValidNumberPaddedWithSpaces", u'1' + QString(32766, u' '), Result, Result, "0,890 кг"},
        {"LongFraction", QStringLiteral("0,") + QString(32765, u'5'), Result, Result, "0,494 кг"},
        // Group spaces between digits go: 16,384 ones, beyond the range.
        {"LongTextWithSpaces", repeated(QStringLiteral("1 "), 32767), NotAFloat, NotAFloat},
        {"LongTextWithLineBreaks", repeated(QStringLiteral("1\n"), 32767), NotAFloat, NotAFloat},
        {"LongRightToLeftOverrides", QString(32767, QChar(0x202E)), NotAFloat, NotAFloat},
        {"Nul", QString(QChar(u'\0')), NotAFloat, NotAFloat},
        {"DigitThenNul", QStringLiteral("1") + QChar(u'\0'), NotAFloat, NotAFloat},
        {"ControlCharacters", QStringLiteral("\x01\x02\x1b[2J\x7f"), NotAFloat, NotAFloat},
        {"LeadingTab", QStringLiteral("\t1"), Result, Result, "0,890 кг"},
        {"TrailingLineBreak", QStringLiteral("1\r\n"), Result, Result, "0,890 кг"},
        {"RightToLeftMark", QStringLiteral("\u200F12,5"), NotAFloat, NotAFloat},
        {"RightToLeftOverride", QStringLiteral("\u202E12,5"), NotAFloat, NotAFloat},
        {"TrailingLeftToRightMark", QStringLiteral("12,5\u200E"), NotAFloat, NotAFloat},
        {"ByteOrderMark", QStringLiteral("\uFEFF1"), Result, Result, "0,890 кг"},
        {"ArabicIndicDigits", QStringLiteral("١٢"), NotAFloat, NotAFloat},
        {"FullwidthDigits", QStringLiteral("１２"), NotAFloat, NotAFloat},
        {"MathematicalDigitsBeyondTheBasicPlane", QStringLiteral("\U0001D7CF\U0001D7D0"), NotAFloat,
         NotAFloat},
        {"LoneSurrogate", QString(QChar(0xD800)), NotAFloat, NotAFloat},
        {"NoBreakSpaceAsGrouping", QStringLiteral("1\u00A0000"), Result, Result, "890,000 кг"},
        {"MinusSign", QStringLiteral("\u22121"), NotAFloat, NotAFloat},
        {"NaN", QStringLiteral("NaN"), NotAFloat, NotAFloat},
        {"LowerCaseNan", QStringLiteral("nan"), NotAFloat, NotAFloat},
        {"Inf", QStringLiteral("Inf"), NotAFloat, NotAFloat},
        {"NegativeInf", QStringLiteral("-Inf"), NotAFloat, NotAFloat},
        {"Infinity", QStringLiteral("Infinity"), NotAFloat, NotAFloat},
        {"HexNumber", QStringLiteral("0x1A"), NotAFloat, NotAFloat},
        {"FullStopAsSeparator", QStringLiteral("12.5"), NotAFloat, NotAFloat},
        {"ExponentJustInRange", QStringLiteral("1E4931"), Result, Result, "8,9E4930 кг"},
        {"LargestExtendedValue", QStringLiteral("1,18973149535723176502E4932"), Result, Overflow},
        {"ExponentBeyondTheRange", QStringLiteral("1E4933"), NotAFloat, NotAFloat},
        {"NegativeNumberBeyondTheRange", QStringLiteral("-9E4935"), NotAFloat, NotAFloat},
        {"ExponentOfFiveHundred", QStringLiteral("1E500"), Result, Result, "8,9E499 кг"},
        {"ExponentPastTheDigitLimit", QStringLiteral("1E5000"), NotAFloat, NotAFloat},
        {"SubnormalValue", QStringLiteral("1E-4950"), Result, Result, "0,000 кг"},
        {"BelowTheSmallestSubnormal", QStringLiteral("1E-4960"), Result, Result, "0,000 кг", true},
        {"NegativeExponentPastTheDigitLimit", QStringLiteral("1E-5000"), NotAFloat, NotAFloat},
        {"ExponentWithoutDigits", QStringLiteral("1E"), Result, Result, "0,890 кг"},
        {"LoneMinus", QStringLiteral("-"), NotAFloat, NotAFloat},
        {"LonePlus", QStringLiteral("+"), NotAFloat, NotAFloat},
        // Nothing is left to paste: the emptied field reads "0" once left.
        {"SpacesOnly", QStringLiteral("   "), Result, Result, "0,000 кг", true},
        {"LoneComma", QStringLiteral(","), Result, Result, "0,000 кг", true},
        {"NegativeZero", QStringLiteral("-0"), Result, Result, "0,000 кг", true},
        {"NegativeNumber", QStringLiteral("-12,5"), Result, Result, "-11,125 кг"},
        {"NumberInSpaces", QStringLiteral("  12,5  "), Result, Result, "11,125 кг"},
        {"Markup", QStringLiteral("<b>1</b><img src=x>"), NotAFloat, NotAFloat},
        {"FormatDirectives", QStringLiteral("%s%n%1"), NotAFloat, NotAFloat},
    };
    return rows;
}

Action action(ActionKind kind, int a = 0, int b = 0, const QString& text = {})
{
    Action x;
    x.kind = kind;
    x.a = a;
    x.b = b;
    x.text = text;
    return x;
}

int fieldKey(const char* name)
{
    const auto& keys = fieldKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (std::string(keys[i].name) == name)
            return static_cast<int>(i);
    }
    ADD_FAILURE() << "no key " << name;
    return 0;
}

// What the user has chosen: kinds, sizes, mode, unit masses and the text.
void expectChoicesKept(const Session::Snapshot& before, const Session::Snapshot& after)
{
    EXPECT_EQ(after.kinds, before.kinds);
    EXPECT_EQ(after.sizeIndex, before.sizeIndex);
    EXPECT_EQ(after.firstLevelIndex, before.firstLevelIndex);
    EXPECT_EQ(after.secondLevelIndex, before.secondLevelIndex);
    EXPECT_EQ(after.unitMasses, before.unitMasses);
    EXPECT_TRUE(after.input == before.input) << "the input text changed";
}

class HostileInput : public ::testing::TestWithParam<Hostile> {
protected:
    Session session;

    void run(const Action& a)
    {
        if (HasFatalFailure())
            return; // the session stopped at the first broken invariant
        ASSERT_TRUE(session.run(a)) << describe(a) << ": " << session.failure();
    }

    void expectOutcome(Outcome expected, const QString& input)
    {
        const auto boxes = session.lastBoxTexts();
        switch (expected) {
        case Result:
            EXPECT_TRUE(boxes.empty());
            EXPECT_FALSE(session.resultText().isEmpty());
            break;
        case NotAFloat:
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_TRUE(boxes[0] == QStringLiteral("'") + input +
                                        QStringLiteral("' is not a valid floating point value."));
            EXPECT_TRUE(session.resultText().isEmpty());
            break;
        case Overflow:
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].toStdString(), "Floating point overflow.");
            EXPECT_TRUE(session.resultText().isEmpty());
            break;
        }
    }
};

TEST_P(HostileInput, GivesTheResultOrTheErrorBoxAndLosesNothing)
{
    const Hostile& row = GetParam();
    // Rebar "А3 А500с", size "12", mass from length.
    run(action(ActionKind::HeaderClick, 1));
    run(action(ActionKind::KindClick, 1, 0));
    run(action(ActionKind::PickerPopup, 0, 3));
    run(action(ActionKind::ModeClick, 0));
    run(action(ActionKind::FieldClick, 5, 5)); // empties the "0"
    run(action(ActionKind::ContextMenu, static_cast<int>(ContextCommand::Paste), 0, row.input));
    Session::Snapshot pasted = session.snapshot();
    // A paste drops white space at the ends and group spaces between digits.
    ASSERT_TRUE(pasted.input == Model::pastedText(row.input)) << "the paste did not arrive as cleaned";
    EXPECT_EQ(pasted.mode, 0);

    run(action(ActionKind::CalcClick));
    if (pasted.input.isEmpty())
        pasted.input = QStringLiteral("0"); // the leave rule, as «Расчитать» takes the focus
    expectOutcome(row.mode0, pasted.input);
    if (row.result0) {
        EXPECT_EQ(session.resultText().toStdString(), row.result0);
    }
    expectChoicesKept(pasted, session.snapshot());

    run(action(ActionKind::ModeClick, 1));
    run(action(ActionKind::CalcClick));
    expectOutcome(row.mode1, pasted.input);
    expectChoicesKept(pasted, session.snapshot());

    // Clicking into the field judges the text once more; a zero of any
    // spelling is emptied and leaving puts "0" back.
    run(action(ActionKind::FieldClick, 5, 5));
    run(action(ActionKind::FieldKey, fieldKey("Tab")));
    Session::Snapshot left = session.snapshot();
    if (row.zero) {
        EXPECT_EQ(left.input.toStdString(), "0");
        left.input = pasted.input; // the rest is compared below
    }
    expectChoicesKept(pasted, left);
    EXPECT_EQ(left.mode, 1);

    // The window goes on working.
    run(action(ActionKind::FieldClick, 5, 5));
    run(action(ActionKind::ContextMenu, static_cast<int>(ContextCommand::SelectAll)));
    run(action(ActionKind::FieldKey, fieldKey("Delete")));
    run(action(ActionKind::FieldKey, fieldKey("8")));
    run(action(ActionKind::FieldKey, fieldKey("9")));
    run(action(ActionKind::ModeClick, 0));
    run(action(ActionKind::CalcClick));
    EXPECT_EQ(session.resultText().toStdString(), "79,210 кг");
}

INSTANTIATE_TEST_SUITE_P(Table, HostileInput, ::testing::ValuesIn(hostileInputs()),
                         [](const ::testing::TestParamInfo<Hostile>& info) { return info.param.name; });

// Destroying the window while it is shown, with the focus in an edited
// picker or in the emptied field: the focus leaves those controls while the
// window is half destroyed, and no handler may run then.
TEST(WindowLifetime, ClosesWithTheFocusInAnEditedControl)
{
    for (const char* focusIn : {"sComboBoxE1", "sEditParam"}) {
        auto form = std::make_unique<TForm1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("sButton6")), Qt::LeftButton);
        auto* strip = form->findChild<KindsList*>(QStringLiteral("sListBox6"));
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {},
                          strip->visualRect(strip->model()->index(0, 0)).center());
        auto* target = form->findChild<QWidget*>(QString::fromLatin1(focusIn));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
        QTest::keyClicks(target, std::string(focusIn) == "sEditParam" ? QString() : QStringLiteral("6"));
        ASSERT_TRUE(target->hasFocus());
        form.reset();
    }
}

} // namespace
} // namespace tarvik::users
