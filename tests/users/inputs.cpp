// What the simulated user types and pastes: key presses as the platform
// delivers them, and texts of every shape for the clipboard.

#include "common.h"
#include "session.h"

#include <Qt>

#include <iterator>
#include <string_view>

namespace tarvik::users {

const std::vector<KeyPress>& fieldKeys()
{
    using E = KeyPress;
    static const std::vector<KeyPress> keys = [] {
        std::vector<KeyPress> k;
        static const char* digitNames[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        for (int i = 0; i < 10; ++i) {
            k.push_back({Qt::Key_0 + i, 0, QString(QChar(u'0' + i)), E::Character, digitNames[i]});
            k.push_back(
                {Qt::Key_0 + i, Qt::KeypadModifier, QString(QChar(u'0' + i)), E::Character, "keypad digit"});
        }
        const KeyPress more[] = {
            {Qt::Key_Comma, 0, QStringLiteral(","), E::Character, ","},
            {Qt::Key_Period, 0, QStringLiteral("."), E::Character, "."},
            {Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."), E::Character, "keypad ."},
            {Qt::Key_Comma, Qt::KeypadModifier, QStringLiteral(","), E::Character, "keypad ,"},
            {Qt::Key_A, 0, QStringLiteral("a"), E::Character, "a"},
            {Qt::Key_E, 0, QStringLiteral("e"), E::Character, "e"},
            {Qt::Key_E, Qt::ShiftModifier, QStringLiteral("E"), E::Character, "Shift+E"},
            {Qt::Key_X, 0, QStringLiteral("x"), E::Character, "x"},
            {0x0424, 0, QStringLiteral("ф"), E::Character, "Cyrillic ef"},
            {0x042E, 0, QStringLiteral("ю"), E::Character, "Cyrillic yu (the full-stop key)"},
            {0x0411, 0, QStringLiteral("б"), E::Character, "Cyrillic be (the comma key)"},
            {Qt::Key_Space, 0, QStringLiteral(" "), E::Character, "Space"},
            {Qt::Key_Plus, Qt::ShiftModifier, QStringLiteral("+"), E::Character, "+"},
            {Qt::Key_Minus, 0, QStringLiteral("-"), E::Character, "-"},
            {Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-"), E::Character, "keypad -"},
            {Qt::Key_Slash, 0, QStringLiteral("/"), E::Character, "/"},
            {Qt::Key_Return, 0, QStringLiteral("\r"), E::Character, "Return"},
            {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), E::Character, "keypad Enter"},
            {Qt::Key_Escape, 0, QStringLiteral("\x1b"), E::Character, "Escape"},
            {Qt::Key_Space, Qt::ControlModifier, QString(QChar(u'\0')), E::Character, "Ctrl+Space (NUL)"},
            {Qt::Key_I, Qt::ControlModifier, QStringLiteral("\t"), E::Character, "Ctrl+I"},
            {Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), E::Character, "Ctrl+A"},
            {Qt::Key_D, Qt::ControlModifier, QStringLiteral("\x04"), E::Character, "Ctrl+D"},
            {Qt::Key_U, Qt::ControlModifier, QStringLiteral("\x15"), E::Character, "Ctrl+U"},
            {Qt::Key_W, Qt::ControlModifier, QStringLiteral("\x17"), E::Character, "Ctrl+W"},
            {Qt::Key_K, Qt::ControlModifier, QStringLiteral("\x0b"), E::Character, "Ctrl+K"},
            {0x0663, 0, QString(QChar(0x0663)), E::Character, "Arabic-Indic three"},
            {0xFF15, 0, QString(QChar(0xFF15)), E::Character, "fullwidth five"},
            {0x00B2, 0, QString(QChar(0x00B2)), E::Character, "superscript two"},
            {0x200F, 0, QString(QChar(0x200F)), E::Character, "right-to-left mark"},
            {0x00A0, 0, QString(QChar(0x00A0)), E::Character, "no-break space"},
            {Qt::Key_unknown, 0, QStringLiteral("\U0001D7D9"), E::Character,
             "mathematical one (surrogate pair)"},
            {Qt::Key_unknown, 0, QStringLiteral("12"), E::Character, "two characters at once"},
            {Qt::Key_Backspace, 0, QStringLiteral("\b"), E::Backspace, "Backspace"},
            {Qt::Key_Backspace, Qt::ShiftModifier, QStringLiteral("\b"), E::Backspace, "Shift+Backspace"},
            {Qt::Key_Delete, 0, QStringLiteral("\x7f"), E::Delete, "Delete"},
            {Qt::Key_Delete, Qt::KeypadModifier, QStringLiteral("\x7f"), E::Delete, "keypad Delete"},
            {Qt::Key_Left, 0, QString(), E::Nothing, "Left"},
            {Qt::Key_Right, 0, QString(), E::Nothing, "Right"},
            {Qt::Key_Left, Qt::ShiftModifier, QString(), E::Nothing, "Shift+Left"},
            {Qt::Key_Right, Qt::ShiftModifier, QString(), E::Nothing, "Shift+Right"},
            {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, QString(), E::Nothing, "Ctrl+Shift+Left"},
            {Qt::Key_Right, Qt::ControlModifier, QString(), E::Nothing, "Ctrl+Right"},
            {Qt::Key_Home, 0, QString(), E::Nothing, "Home"},
            {Qt::Key_End, 0, QString(), E::Nothing, "End"},
            {Qt::Key_Home, Qt::ShiftModifier, QString(), E::Nothing, "Shift+Home"},
            {Qt::Key_End, Qt::ShiftModifier, QString(), E::Nothing, "Shift+End"},
            {Qt::Key_Up, 0, QString(), E::Nothing, "Up"},
            {Qt::Key_Down, 0, QString(), E::Nothing, "Down"},
            {Qt::Key_PageUp, 0, QString(), E::Nothing, "PageUp"},
            {Qt::Key_Insert, 0, QString(), E::Nothing, "Insert"},
            {Qt::Key_F2, 0, QString(), E::Nothing, "F2"},
            {Qt::Key_Shift, Qt::ShiftModifier, QString(), E::Nothing, "Shift alone"},
            {Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"), E::Nothing, "Ctrl+V"},
            {Qt::Key_Insert, Qt::ShiftModifier, QString(), E::Nothing, "Shift+Insert"},
            {Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), E::Nothing, "Ctrl+C"},
            {Qt::Key_Insert, Qt::ControlModifier, QString(), E::Nothing, "Ctrl+Insert"},
            {Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18"), E::Nothing, "Ctrl+X"},
            {Qt::Key_Delete, Qt::ShiftModifier, QStringLiteral("\x7f"), E::Nothing, "Shift+Delete"},
            {Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"), E::Nothing, "Ctrl+Z"},
            {Qt::Key_Y, Qt::ControlModifier, QStringLiteral("\x19"), E::Nothing, "Ctrl+Y"},
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("\x1a"), E::Nothing,
             "Ctrl+Shift+Z"},
            {Qt::Key_Backspace, Qt::ControlModifier, QStringLiteral("\x7f"), E::Nothing, "Ctrl+Backspace"},
            {Qt::Key_Delete, Qt::ControlModifier, QStringLiteral("\x7f"), E::Nothing, "Ctrl+Delete"},
            {Qt::Key_Tab, 0, QStringLiteral("\t"), E::Leave, "Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"), E::Leave, "Shift+Tab"},
        };
        k.insert(k.end(), std::begin(more), std::end(more));
        return k;
    }();
    return keys;
}

const std::vector<KeyPress>& focusKeys()
{
    using E = KeyPress;
    static const std::vector<KeyPress> keys = {
        {Qt::Key_Up, 0, QString(), E::Nothing, "Up"},
        {Qt::Key_Down, 0, QString(), E::Nothing, "Down"},
        {Qt::Key_Left, 0, QString(), E::Nothing, "Left"},
        {Qt::Key_Right, 0, QString(), E::Nothing, "Right"},
        {Qt::Key_Home, 0, QString(), E::Nothing, "Home"},
        {Qt::Key_End, 0, QString(), E::Nothing, "End"},
        {Qt::Key_PageUp, 0, QString(), E::Nothing, "PageUp"},
        {Qt::Key_PageDown, 0, QString(), E::Nothing, "PageDown"},
        {Qt::Key_Space, 0, QStringLiteral(" "), E::Character, "Space"},
        {Qt::Key_Space, Qt::ControlModifier, QString(QChar(u'\0')), E::Character, "Ctrl+Space"},
        {Qt::Key_Return, 0, QStringLiteral("\r"), E::Character, "Return"},
        {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), E::Character, "keypad Enter"},
        {Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), E::Nothing, "Ctrl+C"},
        {Qt::Key_Escape, 0, QStringLiteral("\x1b"), E::Character, "Escape"},
        {0x0410, 0, QStringLiteral("а"), E::Character, "Cyrillic a"},
        {0x0422, 0, QStringLiteral("т"), E::Character, "Cyrillic te"},
        {Qt::Key_1, 0, QStringLiteral("1"), E::Character, "1"},
        {Qt::Key_X, 0, QStringLiteral("x"), E::Character, "x"},
        {Qt::Key_Backspace, 0, QStringLiteral("\b"), E::Backspace, "Backspace"},
        {Qt::Key_Tab, 0, QStringLiteral("\t"), E::Leave, "Tab"},
        {Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"), E::Leave, "Shift+Tab"},
    };
    return keys;
}

int fieldKey(const char* name)
{
    const auto& keys = fieldKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (std::string_view(keys[i].name) == name)
            return static_cast<int>(i);
    }
    return 0;
}

QString randomPasteText(std::mt19937_64& rng)
{
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const auto digits = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + pick(10));
        return s;
    };
    static const QString edges[] = {
        QStringLiteral("0"),
        QStringLiteral(","),
        QStringLiteral(",5"),
        QStringLiteral("5,"),
        QStringLiteral("-0"),
        QStringLiteral("+0,0"),
        QStringLiteral("00"),
        QStringLiteral("0,000000"),
        QStringLiteral(" 1 "),
        QStringLiteral("  "),
        QString(),
        QStringLiteral("-"),
        QStringLiteral("+"),
        QStringLiteral("E"),
        QStringLiteral("e5"),
        QStringLiteral("1E"),
        QStringLiteral("1E+"),
        QStringLiteral("1e-"),
        QStringLiteral("1E499"),
        QStringLiteral("1E500"),
        QStringLiteral("1E4931"),
        QStringLiteral("1E4932"),
        QStringLiteral("1,18973149535723176502E4932"),
        QStringLiteral("1,18973149535723176503E4932"),
        QStringLiteral("-1E4932"),
        QStringLiteral("1E-4951"),
        QStringLiteral("3,6E-4951"),
        QStringLiteral("1E-4952"),
        QStringLiteral("1E-5000"),
        QStringLiteral("9E9999"),
        QStringLiteral("1E+0499"),
        QStringLiteral("1E0000000499"),
        QStringLiteral("2,5E20"),
        QStringLiteral("1E18"),
        QStringLiteral("999999999999999999"),
        QStringLiteral("-0,0004"),
        QStringLiteral("0,0005"),
        QStringLiteral("NaN"),
        QStringLiteral("nan"),
        QStringLiteral("Inf"),
        QStringLiteral("INF"),
        QStringLiteral("-Inf"),
        QStringLiteral("Infinity"),
        QStringLiteral("0x1A"),
        QStringLiteral("1 000"),
        QStringLiteral("1,2,3"),
        QStringLiteral("1..2"),
        QStringLiteral("12.5"),
        QStringLiteral("١٢٣"),
        QStringLiteral("１２３"),
        QStringLiteral("1\u00A0000"),
        QStringLiteral("\u22121"),
        QStringLiteral("\u200F12"),
        QStringLiteral("12\u200E"),
        QStringLiteral("\u202E12,5"),
        QStringLiteral("\t1"),
        QStringLiteral("1\n"),
        QStringLiteral("\r\n"),
        QString(QChar(u'\0')),
        QStringLiteral("1") + QChar(u'\0'),
        QStringLiteral("\x7f"),
        QStringLiteral("\x1b[2J"),
        QStringLiteral("\U0001D7CF"),
        QString(QChar(0xD800)),
        QStringLiteral("<b>1</b>"),
        QStringLiteral(" -1E-1 "),
        QStringLiteral("1e5 "),
        QStringLiteral("%s%n"),
    };
    const int kind = pick(100);
    if (kind < 40) { // a number, mostly well formed
        QString s;
        if (pick(6) == 0)
            s += QStringLiteral("  ").left(1 + pick(2));
        if (pick(5) == 0)
            s += pick(2) ? u'-' : u'+';
        s += digits(pick(8) == 0 ? 1 + pick(30) : pick(6));
        if (pick(2))
            s += (pick(6) == 0 ? u'.' : u',') + digits(pick(8));
        if (s.isEmpty() || pick(4) == 0)
            s += digits(1);
        if (pick(5) == 0)
            s += (pick(2) ? u'E' : u'e') + QString(pick(3) == 0 ? QStringLiteral("-") : QString()) +
                 digits(1 + pick(4));
        if (pick(8) == 0)
            s += u' ';
        return s;
    }
    if (kind < 75)
        return edges[pick(static_cast<int>(std::size(edges)))];
    if (kind < 77) { // long texts, up to the field's limit
        const int length = pick(3) == 0 ? maxInputLength : 100 + pick(maxInputLength - 100);
        switch (pick(4)) {
        case 0:
            return digits(length);
        case 1:
            return digits(length / 2) + u',' + digits(length - length / 2 - 1);
        case 2:
            return QString(length, QChar(u' '));
        default:
            return QStringLiteral("1E") + QString(length - 2, QChar(u'0'));
        }
    }
    // A random mixture of hostile characters.
    static const char16_t alphabet[] = {u'0',   u'1',   u'5',   u'9',   u',',    u'.',    u'E',
                                        u'e',   u'+',   u'-',   u' ',   u'\0',   u'\t',   u'\n',
                                        u'x',   u'х',   0x200F, 0x202E, 0x0663,  0xFF11,  0x2212,
                                        0x00A0, 0xFEFF, 0xD800, 0xDC00, u'\x7f', u'\x1b', u'<'};
    QString s;
    const int length = 1 + pick(12);
    for (int i = 0; i < length; ++i)
        s += QChar(alphabet[pick(static_cast<int>(std::size(alphabet)))]);
    return s;
}

} // namespace tarvik::users
