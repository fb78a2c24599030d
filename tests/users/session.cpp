#include "session.h"

#include "app/drop_down_list.h"
#include "app/error_guard.h"
#include "app/form1.h"
#include "app/kinds_list.h"
#include "app/numeric_edit.h"
#include "catalogue/family.h"
#include "core/form_layout.h"
#include "core/window.h"
#include "tests/find_control.h"
#include "tests/first_level.h"
#include "tests/reference/reference.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <array>
#include <optional>
#include <sstream>

namespace tarvik::users {
namespace {

constexpr int maxInputLength = 32767; // the field's maxLength
constexpr char16_t separator = u',';
constexpr int closedHeight = 25;

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string escaped(const QString& text, int limit = 80)
{
    std::string out = "\"";
    const auto put = [&out](char16_t c) {
        if (c >= 0x20 && c < 0x7f && c != u'"' && c != u'\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    };
    if (text.size() <= limit) {
        for (QChar c : text)
            put(c.unicode());
    } else {
        for (QChar c : text.left(limit / 2))
            put(c.unicode());
        out += "\"...<" + std::to_string(text.size()) + " chars>...\"";
        for (QChar c : text.right(limit / 4))
            put(c.unicode());
    }
    return out + "\"";
}

const char* dropDownName(int which)
{
    switch (static_cast<DropDown>(which)) {
    case DropDown::Element:
        return "sComboBoxElement";
    case DropDown::E1:
        return "sComboBoxE1";
    case DropDown::E2:
        return "sComboBoxE2";
    }
    return "?";
}

const char* commandName(int command)
{
    static const char* names[] = {"Paste", "Cut", "Delete", "Select All"};
    return names[command];
}

// The error box a user saw.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::TextFormat format = Qt::AutoText;
    bool okReachable = false;
    QString geometry;
};

// Closes every error box as a user would (with its OK button) and answers
// the field's context menu, recording what it saw.
class ModalHandler : public QObject {
public:
    std::vector<BoxSeen> boxes;
    int totalBoxes = 0;
    std::optional<ContextCommand> menuCommand;
    QString menuEntry; // chosen from a menu other than the field's
    bool menuHandled = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            // Read the box once it is laid out and running its own loop.
            QTimer::singleShot(0, box, [this, box] {
                record(box);
                if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->reject();
            });
        } else if (auto* menu = qobject_cast<QMenu*>(watched)) {
            QTimer::singleShot(0, menu, [this, menu] { answer(menu); });
        }
        return false;
    }

private:
    void record(QMessageBox* box)
    {
        BoxSeen seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.format = box->textFormat();
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            const QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
            const QRect area = screen->availableGeometry();
            const QRect okGlobal(ok->mapToGlobal(QPoint(0, 0)), ok->size());
            const QRect okInBox(ok->mapTo(box, QPoint(0, 0)), ok->size());
            seen.okReachable = ok->isVisible() && area.contains(okGlobal) && box->rect().contains(okInBox);
            seen.geometry = QStringLiteral("box %1,%2 %3x%4, OK at %5,%6, screen area %7x%8")
                                .arg(box->x())
                                .arg(box->y())
                                .arg(box->width())
                                .arg(box->height())
                                .arg(okGlobal.x())
                                .arg(okGlobal.y())
                                .arg(area.width())
                                .arg(area.height());
        }
        boxes.push_back(seen);
        ++totalBoxes;
    }

    void answer(QMenu* menu)
    {
        QAction* chosen = nullptr;
        if (menuCommand || !menuEntry.isEmpty()) {
            const QString wanted =
                menuCommand ? QString::fromLatin1(commandName(static_cast<int>(*menuCommand))) : menuEntry;
            for (QAction* a : menu->actions()) {
                QString text = a->text();
                text.remove(u'&');
                if (text.section(u'\t', 0, 0) == wanted)
                    chosen = a;
            }
        }
        menuHandled = true;
        menu->close();
        if (chosen && chosen->isEnabled())
            chosen->trigger();
    }
};

// What the window must show, kept from the user's actions alone.
struct Model {
    bool headerClicked = false;
    int openSection = 0;
    bool widened = false;
    const catalogue::Family* family = nullptr;   // of the last kind choice
    const catalogue::KindTable* table = nullptr; // loaded by it, if any
    std::vector<QString> sizes;                  // the size list's items
    std::vector<double> masses;                  // the unit masses in force
    int mode = -1;
    QString massUnit, quantityUnit, quantityCaption, massCaption, activeUnit;
    QString modeText[2] = {QStringLiteral("Массу по площади"), QStringLiteral("Площадь по массе")};
    QString inputCaption;
    bool inputCaptionShown = false;
    QString result;
    QString input = QStringLiteral("0");
};

struct FieldState {
    QString text;
    int cursor = 0, selectionStart = -1, selectionLength = 0;
    int caret() const { return selectionStart >= 0 ? selectionStart : cursor; }
};

// The field's text with its selection (or nothing at the caret) replaced by
// `inserted`, cut to the room left, as the field inserts.
QString replaceSelection(const FieldState& before, const QString& inserted)
{
    QString text = before.text;
    int at = before.cursor;
    if (before.selectionStart >= 0) {
        text.remove(before.selectionStart, before.selectionLength);
        at = before.selectionStart;
    }
    const auto room = maxInputLength - text.size();
    text.insert(at, inserted.left(room));
    return text;
}

// QTest's waits sleep 10 ms before they first look; activation on this
// platform takes a pass of the event loop, so spin instead.
template <class Predicate> bool spinUntil(Predicate done, int timeoutMs = 2000)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QCoreApplication::processEvents();
        if (done())
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::usleep(200);
    }
}

bool startsWithIgnoringCase(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

// --- Key tables ------------------------------------------------------------

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

static int fieldKey(const char* name)
{
    const auto& keys = fieldKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (std::string_view(keys[i].name) == name)
            return static_cast<int>(i);
    }
    return 0;
}

// --- Paste texts -----------------------------------------------------------

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

// --- Description -----------------------------------------------------------

std::string describe(const Action& a)
{
    std::ostringstream out;
    switch (a.kind) {
    case ActionKind::HeaderClick:
        out << "click header " << a.a;
        break;
    case ActionKind::KindClick:
        out << (a.c ? "Ctrl+click" : "click") << " kind " << a.b << " of section " << a.a;
        break;
    case ActionKind::ModeClick:
        out << "click mode " << a.a;
        break;
    case ActionKind::CalcClick:
        out << "click Расчитать";
        break;
    case ActionKind::FieldClick:
        if (a.a == a.b)
            out << "click into the field at x=" << a.a;
        else
            out << "drag in the field from x=" << a.a << " to x=" << a.b;
        break;
    case ActionKind::FieldKey:
        out << "key " << fieldKeys()[static_cast<std::size_t>(a.a)].name << " in the field";
        break;
    case ActionKind::FieldType:
        out << "type " << escaped(a.text) << " into the field";
        break;
    case ActionKind::ContextMenu:
        out << "context menu " << commandName(a.a);
        if (static_cast<ContextCommand>(a.a) == ContextCommand::Paste)
            out << " " << escaped(a.text);
        break;
    case ActionKind::FocusKey:
        out << "key " << focusKeys()[static_cast<std::size_t>(a.a)].name << " to the focused control";
        break;
    case ActionKind::PickerPopup:
        out << "pick item " << a.b << " from the list of " << dropDownName(a.a);
        break;
    case ActionKind::PickerType:
        out << "type " << escaped(a.text) << " into " << dropDownName(a.a)
            << (a.b == 1   ? " and Enter"
                : a.b == 2 ? " and Delete"
                           : "");
        break;
    case ActionKind::PickerWheel:
        out << "wheel " << (a.b > 0 ? "down" : "up") << " over " << dropDownName(a.a);
        break;
    case ActionKind::SwitchAway:
        out << "switch to another application";
        break;
    case ActionKind::ResultMenu:
        out << "result menu: " << (a.a ? "copy with the unit" : "copy");
        break;
    case ActionKind::ClickNowhere:
        out << "click an inert spot " << a.a;
        break;
    }
    return out.str();
}

// --- Session ---------------------------------------------------------------

struct Session::Impl {
    ModalHandler modal;
    std::unique_ptr<QWidget> otherApplication;
    std::unique_ptr<TForm1> form;
    std::array<QPushButton*, 12> headers{};
    std::array<KindsList*, 12> lists{};
    std::array<QWidget*, 12> panels{};
    std::array<QRadioButton*, 2> modes{};
    std::array<DropDownList*, 3> combos{};
    std::array<QLabel*, 3> comboLabels{};
    NumericEdit* edit = nullptr;
    QPushButton* calc = nullptr;
    QLabel* result = nullptr;
    QLabel* inputCaption = nullptr;
    int narrowOuterWidth = 0;
    Model m;
    std::string failure;
    QString title;

    template <class T> T* find(const QString& name) const
    {
        return tarvik::testing::findControl<T>(form.get(), name);
    }

    Impl()
    {
        qApp->installEventFilter(&modal);
        title = applicationTitle(QCoreApplication::applicationFilePath());
        otherApplication = std::make_unique<QWidget>();
        otherApplication->setWindowTitle(QStringLiteral("another application"));
        otherApplication->setGeometry(10, 10, 60, 40);

        form = std::make_unique<TForm1>();
        form->setSeparatorSource([] { return separator; });
        for (int k = 1; k <= 12; ++k) {
            const auto i = static_cast<std::size_t>(k - 1);
            headers[i] = find<QPushButton>(QStringLiteral("sButton%1").arg(k));
            lists[i] = find<KindsList>(QStringLiteral("sListBox%1").arg(k));
            panels[i] = find<QWidget>(QStringLiteral("Panel%1").arg(k));
        }
        for (int i = 0; i < 2; ++i)
            modes[static_cast<std::size_t>(i)] =
                find<QRadioButton>(QStringLiteral("sRadioGroupItem%1").arg(i));
        for (int i = 0; i < 3; ++i) {
            const QString name = QString::fromLatin1(dropDownName(i));
            combos[static_cast<std::size_t>(i)] = find<DropDownList>(name);
            comboLabels[static_cast<std::size_t>(i)] = find<QLabel>(name + QStringLiteral("BoundLabel"));
        }
        edit = find<NumericEdit>(QStringLiteral("sEditParam"));
        calc = find<QPushButton>(QStringLiteral("sButtonCalc"));
        result = find<QLabel>(QStringLiteral("sLabelResult"));
        inputCaption = find<QLabel>(QStringLiteral("sEditParamBoundLabel"));

        form->placeOnScreen();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("the window never showed");
        form->placeOnScreen();
        narrowOuterWidth = form->frameGeometry().width();
        activate();
    }

    ~Impl() { qApp->removeEventFilter(&modal); }

    DropDownList* combo(int which) const { return combos[static_cast<std::size_t>(which)]; }

    void activate()
    {
        if (QApplication::activeWindow() == form.get())
            return;
        form->activateWindow();
        if (!spinUntil([this] { return QApplication::activeWindow() == form.get(); }))
            qFatal("the window never became active");
    }

    FieldState fieldState() const
    {
        FieldState s;
        s.text = edit->text();
        s.cursor = edit->cursorPosition();
        if (edit->hasSelectedText()) {
            s.selectionStart = edit->selectionStart();
            s.selectionLength = static_cast<int>(edit->selectedText().size());
        }
        return s;
    }

    bool fail(const std::string& what)
    {
        if (failure.empty())
            failure = what;
        return false;
    }

    // Ctrl+C copies the result's number from a button, a kinds list or the
    // mode group (nothing while no result shows); the field ignores it.
    const QString clipboardBefore = QStringLiteral("on the clipboard before");
    bool checkCopy(const QWidget* target)
    {
        const bool copiesResult =
            qobject_cast<const QAbstractButton*>(target) || qobject_cast<const KindsList*>(target);
        QString expected;
        if (copiesResult && !m.result.isEmpty())
            expected = m.result.section(u' ', 0, 0);
        else if (copiesResult || target == edit)
            expected = clipboardBefore;
        else
            return true; // a drop-down list copies its own selected text
        const QString copied = QGuiApplication::clipboard()->text();
        return copied == expected || fail("Ctrl+C on " + target->objectName().toStdString() + " copied " +
                                          escaped(copied) + " instead of " + escaped(expected));
    }

    // --- the model's rules -------------------------------------------------

    QString notAFloatText(const QString& input) const
    {
        return QStringLiteral("'") + input + QStringLiteral("' is not a valid floating point value.");
    }

    // The key rules, judged on the text before the key.
    QString afterTypedCharacter(const FieldState& before, const QString& keyText) const
    {
        if (keyText.size() != 1)
            return before.text;
        const char16_t ch = keyText.front().unicode();
        const int length = static_cast<int>(before.text.size());
        const int separatorAt = static_cast<int>(before.text.indexOf(QChar(separator))) + 1;
        const int caret = before.caret();
        char16_t reaching = 0;
        if (ch == u',' || ch == u'.') {
            if (separatorAt == 0 && caret > 0 && length > 0)
                reaching = separator;
        } else if (ch >= u'0' && ch <= u'9') {
            const bool fractionFull = separatorAt > 0 && length - separatorAt > 5;
            if (!(fractionFull && caret >= separatorAt))
                reaching = ch;
        }
        return reaching ? replaceSelection(before, QString(QChar(reaching))) : before.text;
    }

    // Backspace and Delete remove the selection, or a run of characters (one
    // grapheme) right before or after the caret.
    bool deletionFits(const FieldState& before, const QString& after, bool forward) const
    {
        if (before.selectionStart >= 0)
            return after == QString(before.text).remove(before.selectionStart, before.selectionLength);
        const int removed = static_cast<int>(before.text.size() - after.size());
        const int at = forward ? before.cursor : before.cursor - removed;
        const bool atEdge = forward ? before.cursor == before.text.size() : before.cursor == 0;
        if (atEdge)
            return after == before.text;
        return removed >= 1 && at >= 0 && QString(before.text).remove(at, removed) == after;
    }

    void clickRule(std::vector<QString>& boxes)
    {
        if (m.input.isEmpty())
            return;
        const auto parsed = reference::parse(m.input.toStdU16String(), separator);
        if (parsed.status != reference::Parsed::Ok)
            boxes.push_back(notAFloatText(m.input));
        else if (parsed.value.significand == 0)
            m.input.clear();
    }

    void leaveRule()
    {
        if (m.input.isEmpty())
            m.input = QStringLiteral("0");
    }

    void modeHandler()
    {
        if (m.mode == 0) {
            m.activeUnit = m.massUnit;
            m.inputCaption = m.quantityCaption;
            m.inputCaptionShown = true;
        } else if (m.mode == 1) {
            m.activeUnit = m.quantityUnit;
            m.inputCaption = m.massCaption;
            m.inputCaptionShown = true;
        }
    }

    void kindChoice(int section, int kind)
    {
        const catalogue::Family& family = *catalogue::families[static_cast<std::size_t>(section - 1)];
        const bool area = family.textSet == catalogue::TextSet::Area;
        m.widened = true;
        m.family = &family;
        m.massUnit = QStringLiteral("кг");
        m.quantityUnit = area ? QStringLiteral("кв.м") : QStringLiteral("м");
        m.quantityCaption = area ? QStringLiteral("Площадь, кв.м") : QStringLiteral("Длина, м");
        m.massCaption = QStringLiteral("Масса, кг");
        modeHandler();
        m.modeText[0] = area ? QStringLiteral("Массу по площади") : QStringLiteral("Массу по длине");
        m.modeText[1] = area ? QStringLiteral("Площадь по массе") : QStringLiteral("Длину по массе");
        m.result.clear();
        m.sizes.clear();
        m.table = nullptr;
        if (kind >= 0 && static_cast<std::size_t>(kind) < family.tables.size()) {
            const catalogue::KindTable& table = family.tables[static_cast<std::size_t>(kind)];
            m.table = &table;
            for (auto t : table.sizes)
                m.sizes.push_back(qs(t));
            m.masses.assign(table.unitMasses.begin(), table.unitMasses.end());
        }
    }

    void calculation(std::vector<QString>& boxes)
    {
        m.result.clear();
        const int size = combo(0)->itemIndex();
        if ((m.mode != 0 && m.mode != 1) || size < 0)
            return;
        if (static_cast<std::size_t>(size) >= m.sizes.size() ||
            static_cast<std::size_t>(size) >= m.masses.size()) {
            fail("the size list selects position " + std::to_string(size) + " beyond the loaded table");
            return;
        }
        const auto outcome = reference::calculate(
            m.input.toStdU16String(), m.masses[static_cast<std::size_t>(size)], m.mode, separator);
        switch (outcome.kind) {
        case reference::CalcOutcome::Ok:
            m.result = qs(outcome.text) + u' ' + m.activeUnit;
            break;
        case reference::CalcOutcome::NotAFloat:
            boxes.push_back(notAFloatText(m.input));
            break;
        case reference::CalcOutcome::Overflow:
            boxes.push_back(QStringLiteral("Floating point overflow."));
            break;
        }
    }

    // The first picker's items; none while no kind's table is loaded.
    std::vector<QString> firstLevels() const
    {
        std::vector<QString> out;
        if (m.table) {
            for (auto t : testing::firstLevels(*m.table))
                out.push_back(qs(t));
        }
        return out;
    }

    // --- actions -----------------------------------------------------------

    QWidget* focused() const { return QApplication::focusWidget(); }

    void sendKey(QWidget* target, const KeyPress& key)
    {
        const auto code = static_cast<Qt::Key>(key.key);
        const auto mods = Qt::KeyboardModifiers(key.modifiers);
        QTest::sendKeyEvent(QTest::Press, target, code, key.text, mods);
        if (target && QApplication::activeModalWidget() == nullptr)
            QTest::sendKeyEvent(QTest::Release, target, code, key.text, mods);
    }

    QPoint comboArrow(const QComboBox* box) const { return QPoint(box->width() - 8, box->height() / 2); }

    void contextMenu(const Action& a)
    {
        if (static_cast<ContextCommand>(a.a) == ContextCommand::Paste)
            QGuiApplication::clipboard()->setText(a.text);
        const QPoint at(4, edit->height() / 2);
        QTest::mousePress(edit, Qt::RightButton, {}, at);
        QTest::mouseRelease(edit, Qt::RightButton, {}, at);
        modal.menuCommand = static_cast<ContextCommand>(a.a);
        modal.menuHandled = false;
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
        QApplication::sendEvent(edit, &event);
        for (int i = 0; i < 100 && !modal.menuHandled; ++i)
            QApplication::processEvents();
        modal.menuCommand.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        activate(); // the closed menu hands the focus back to the field
    }

    // Applies the context menu's command to the model.
    void contextModel(const Action& a, const FieldState& before)
    {
        switch (static_cast<ContextCommand>(a.a)) {
        case ContextCommand::Paste:
            if (!a.text.isEmpty())
                m.input = replaceSelection(before, a.text);
            break;
        case ContextCommand::Cut:
        case ContextCommand::Delete:
            if (before.selectionStart >= 0)
                m.input = QString(before.text).remove(before.selectionStart, before.selectionLength);
            break;
        case ContextCommand::SelectAll:
            break;
        }
    }

    bool run(const Action& a)
    {
        activate();
        const bool fieldHadFocus = edit->hasFocus();
        const FieldState before = fieldState();
        std::array<int, 12> selectedBefore{};
        for (std::size_t i = 0; i < 12; ++i)
            selectedBefore[i] = lists[i]->itemIndex();
        const int modeBefore = form->modeItemIndex();
        modal.boxes.clear();

        if (before.text != m.input)
            return fail("the field holds " + escaped(before.text) + " but should hold " + escaped(m.input));

        std::vector<QString> expectedBoxes;
        QWidget* keyTarget = nullptr; // the control a key went to
        int clickedKind = 0;          // section whose kinds list was clicked
        int headerPressed = 0;        // section whose header was pressed
        bool calcPressed = false;
        std::optional<QString> typedIntoPicker;

        switch (a.kind) {
        case ActionKind::HeaderClick:
            QTest::mouseClick(headers[static_cast<std::size_t>(a.a - 1)], Qt::LeftButton);
            headerPressed = a.a;
            break;
        case ActionKind::KindClick: {
            if (m.openSection != a.a)
                return true; // the list is out of sight: no user can click it
            KindsList* list = lists[static_cast<std::size_t>(a.a - 1)];
            const QRect row = list->visualRect(list->model()->index(a.b, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, a.c ? Qt::ControlModifier : Qt::NoModifier,
                              row.center());
            clickedKind = a.a;
            break;
        }
        case ActionKind::ModeClick:
            if (!m.widened)
                return true;
            QTest::mouseClick(modes[static_cast<std::size_t>(a.a)], Qt::LeftButton, {}, QPoint(8, 12));
            break;
        case ActionKind::CalcClick:
            if (!m.widened)
                return true;
            QTest::mouseClick(calc, Qt::LeftButton);
            calcPressed = true;
            break;
        case ActionKind::FieldClick: {
            if (!m.widened)
                return true;
            const int y = edit->height() / 2;
            if (a.a == a.b) {
                QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(a.a, y));
            } else {
                QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(a.a, y));
                QTest::mouseMove(edit, QPoint(a.b, y));
                QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(a.b, y));
            }
            clickRule(expectedBoxes);
            break;
        }
        case ActionKind::FieldKey:
        case ActionKind::FocusKey: {
            const KeyPress& key = a.kind == ActionKind::FieldKey ? fieldKeys()[static_cast<std::size_t>(a.a)]
                                                                 : focusKeys()[static_cast<std::size_t>(a.a)];
            QWidget* target = focused();
            if (!target || (a.kind == ActionKind::FieldKey && target != edit))
                return true;
            keyTarget = target;
            // Space presses a focused button, and so do Return and Enter.
            const bool presses =
                key.key == Qt::Key_Space || key.key == Qt::Key_Return || key.key == Qt::Key_Enter;
            if (target == calc && presses && !(key.modifiers & Qt::ControlModifier))
                calcPressed = true;
            for (int k = 1; k <= 12; ++k) {
                if (target == headers[static_cast<std::size_t>(k - 1)] && presses &&
                    !(key.modifiers & Qt::ControlModifier))
                    headerPressed = k;
            }
            const bool copies = key.key == Qt::Key_C && key.modifiers == Qt::ControlModifier;
            if (copies)
                QGuiApplication::clipboard()->setText(clipboardBefore);
            sendKey(target, key);
            if (copies && !checkCopy(target))
                return false;
            if (const bool arrow = key.key == Qt::Key_Up || key.key == Qt::Key_Down; arrow) {
                for (std::size_t i = 0; i < 12; ++i) {
                    if (target == lists[i] && selectedBefore[i] == -1 && lists[i]->itemIndex() != 0)
                        return fail(std::string("the first arrow key in kinds list ") +
                                    std::to_string(i + 1) + " selected " +
                                    std::to_string(lists[i]->itemIndex()));
                }
            }
            if (target == edit) {
                const QString after = edit->text();
                switch (key.effect) {
                case KeyPress::Character:
                    m.input = afterTypedCharacter(before, key.text);
                    break;
                case KeyPress::Backspace:
                case KeyPress::Delete:
                    if (!deletionFits(before, after, key.effect == KeyPress::Delete))
                        return fail(std::string(key.name) + " turned " + escaped(before.text) + " into " +
                                    escaped(after));
                    m.input = after;
                    break;
                case KeyPress::Nothing:
                case KeyPress::Leave:
                    break;
                }
            }
            break;
        }
        case ActionKind::FieldType:
            if (focused() != edit)
                return true;
            for (QChar ch : a.text) {
                const FieldState now = fieldState();
                const KeyPress key{ch.toUpper().unicode(), 0, QString(ch), KeyPress::Character, "typed"};
                sendKey(edit, key);
                m.input = afterTypedCharacter(now, key.text);
                if (edit->text() != m.input)
                    return fail("typing " + escaped(QString(ch)) + " turned " + escaped(now.text) + " into " +
                                escaped(edit->text()) + " instead of " + escaped(m.input));
            }
            break;
        case ActionKind::ContextMenu:
            if (!m.widened)
                return true;
            contextMenu(a);
            contextModel(a, before);
            break;
        case ActionKind::PickerPopup: {
            DropDownList* box = combo(a.a);
            if (!m.widened || box->isHidden() || !box->isEnabled() || a.b >= box->count())
                return true;
            QTest::mousePress(box, Qt::LeftButton, {}, comboArrow(box));
            QAbstractItemView* view = box->view();
            if (!view->isVisible())
                return fail(std::string("the list of ") + dropDownName(a.a) + " did not open");
            view->setCurrentIndex(view->model()->index(a.b, 0)); // the pointer hovers the item
            QTest::keyClick(view, Qt::Key_Return);
            if (view->isVisible()) {
                box->hidePopup();
                return fail(std::string("the list of ") + dropDownName(a.a) + " stayed open");
            }
            if (box->itemIndex() != a.b)
                return fail(std::string("picking item ") + std::to_string(a.b) + " of " + dropDownName(a.a) +
                            " selected " + std::to_string(box->itemIndex()));
            break;
        }
        case ActionKind::PickerType: {
            DropDownList* box = combo(a.a);
            if (!m.widened || box->isHidden() || !box->isEnabled())
                return true;
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Backspace);
            for (QChar c : a.text) {
                // The key code of a character key is its upper-case code point.
                const auto code = static_cast<Qt::Key>(c.toUpper().unicode());
                QTest::sendKeyEvent(QTest::Press, box, code, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, box, code, QString(c), Qt::NoModifier);
            }
            if (a.b == 1)
                QTest::keyClick(box, Qt::Key_Return);
            else if (a.b == 2)
                QTest::keyClick(box, Qt::Key_Delete);
            else
                typedIntoPicker = a.text;
            break;
        }
        case ActionKind::PickerWheel: {
            DropDownList* box = combo(a.a);
            if (!m.widened || box->isHidden())
                return true;
            const QPointF at(box->width() / 2.0, box->height() / 2.0);
            QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120 * a.b), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
            break;
        }
        case ActionKind::SwitchAway:
            otherApplication->show();
            otherApplication->activateWindow();
            if (!spinUntil([this] { return QApplication::activeWindow() == otherApplication.get(); }))
                return fail("the other application never took the focus");
            break;
        case ActionKind::ResultMenu: {
            if (!m.widened)
                return true;
            QGuiApplication::clipboard()->setText(clipboardBefore);
            const QPoint at(2, result->height() / 2);
            modal.menuEntry = a.a ? QStringLiteral("Копировать с единицей") : QStringLiteral("Копировать");
            modal.menuHandled = false;
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, result->mapToGlobal(at));
            QApplication::sendEvent(result, &event);
            for (int i = 0; i < 100 && !modal.menuHandled; ++i)
                QApplication::processEvents();
            modal.menuEntry.clear();
            if (!modal.menuHandled)
                return fail("the result's menu did not open");
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            activate();
            const QString number = m.result.section(u' ', 0, 0);
            const QString expected = m.result.isEmpty() ? clipboardBefore : a.a ? m.result : number;
            if (QGuiApplication::clipboard()->text() != expected)
                return fail("the result's menu copied " + escaped(QGuiApplication::clipboard()->text()) +
                            " instead of " + escaped(expected));
            break;
        }
        case ActionKind::ClickNowhere: {
            if (!m.widened)
                return true;
            QWidget* spots[] = {find<QWidget>(QStringLiteral("sPanel4")),
                                find<QWidget>(QStringLiteral("sGroupBox1")), result,
                                find<QWidget>(QStringLiteral("Image2"))};
            QWidget* spot = spots[a.a % 4];
            QTest::mouseClick(spot, Qt::LeftButton, {}, a.a % 4 == 0 ? QPoint(390, 410) : QPoint(3, 3));
            break;
        }
        }

        // The field's leave rule runs when the focus goes to another control
        // of the window (before that control's own handler); not when a popup
        // or another application takes it for a while.
        const QWidget* focusNow = focused();
        if (fieldHadFocus && focusNow && focusNow != edit && focusNow->window() == form.get())
            leaveRule();
        if (headerPressed) {
            m.headerClicked = true;
            m.openSection = headerPressed;
        }
        int chosenSection = clickedKind;
        for (int k = 1; k <= 12; ++k) {
            KindsList* list = lists[static_cast<std::size_t>(k - 1)];
            if (list->itemIndex() != selectedBefore[static_cast<std::size_t>(k - 1)] &&
                (clickedKind == k || keyTarget == list))
                chosenSection = k;
        }
        // A kind choice takes the highlight from every other section's list;
        // nothing else changes a list the user did not touch.
        for (int k = 1; k <= 12; ++k) {
            KindsList* list = lists[static_cast<std::size_t>(k - 1)];
            const int before = selectedBefore[static_cast<std::size_t>(k - 1)];
            if (k == chosenSection || list->itemIndex() == before)
                continue;
            if (!chosenSection || list->itemIndex() != -1)
                return fail("the selection of kinds list " + std::to_string(k) + " changed by itself");
        }
        if (chosenSection)
            kindChoice(chosenSection, lists[static_cast<std::size_t>(chosenSection - 1)]->itemIndex());
        if (a.kind == ActionKind::ModeClick) {
            m.mode = a.a;
            modeHandler();
        } else if (form->modeItemIndex() != modeBefore) {
            if (keyTarget != modes[0] && keyTarget != modes[1])
                return fail("the mode changed by itself");
            m.mode = form->modeItemIndex();
            modeHandler();
        }
        if (calcPressed)
            calculation(expectedBoxes);
        if (!failure.empty())
            return false;

        return checkBoxes(expectedBoxes) && checkInvariants(chosenSection != 0, typedIntoPicker, a);
    }

    bool checkBoxes(const std::vector<QString>& expected)
    {
        const auto& seen = modal.boxes;
        if (seen.size() != expected.size())
            return fail(
                std::to_string(seen.size()) + " error boxes where " + std::to_string(expected.size()) +
                " were due" +
                (seen.empty() ? std::string() : ", the first saying " + escaped(seen.front().text)) +
                (expected.empty() ? std::string() : ", the first due saying " + escaped(expected.front())));
        for (std::size_t i = 0; i < seen.size(); ++i) {
            const BoxSeen& box = seen[i];
            if (box.text != expected[i])
                return fail("the error box says " + escaped(box.text) + " instead of " +
                            escaped(expected[i]));
            if (box.title != title || box.icon != QMessageBox::Critical || box.buttons != 1)
                return fail("the error box has the title " + escaped(box.title) + ", icon " +
                            std::to_string(box.icon) + " and " + std::to_string(box.buttons) + " buttons");
            const bool asText =
                box.format == Qt::PlainText || (box.format == Qt::AutoText && !Qt::mightBeRichText(box.text));
            if (!asText)
                return fail("the error box may show " + escaped(box.text) + " as rich text");
            if (!box.okReachable)
                return fail("the error box's OK button is out of reach: " + box.geometry.toStdString());
        }
        return true;
    }

    bool checkAccordion()
    {
        std::array<QRect, 12> g;
        for (std::size_t i = 0; i < 12; ++i)
            g[i] = panels[i]->geometry();
        if (!m.headerClicked) {
            for (int k = 1; k <= 12; ++k) {
                if (g[static_cast<std::size_t>(k - 1)] != QRect(8, 8 + 24 * (k - 1), 203, closedHeight))
                    return fail("section " + std::to_string(k) + " moved before any header was clicked");
            }
            return form->accordion().expandedSectionIndex() == -1 ||
                   fail("a section counts as open too early");
        }
        int open = 0;
        for (int k = 1; k <= 12; ++k) {
            const QRect r = g[static_cast<std::size_t>(k - 1)];
            const int kinds =
                static_cast<int>(catalogue::families[static_cast<std::size_t>(k - 1)]->kinds.size());
            if (r.height() != closedHeight) {
                if (open)
                    return fail("sections " + std::to_string(open) + " and " + std::to_string(k) +
                                " are open");
                open = k;
                if (r.height() != closedHeight + form::kindsListHeight(kinds))
                    return fail("open section " + std::to_string(k) + " is " + std::to_string(r.height()) +
                                " high");
            }
            const int top = k == 1 ? 8 : g[static_cast<std::size_t>(k - 2)].bottom(); // one-pixel overlap
            if (r.top() != top || r.left() != 8 || r.width() != 203)
                return fail("section " + std::to_string(k) + " stands at top " + std::to_string(r.top()) +
                            " instead of " + std::to_string(top));
        }
        if (open != m.openSection)
            return fail("section " + std::to_string(open) + " is open, not the last clicked " +
                        std::to_string(m.openSection));
        if (form->accordion().expandedSectionIndex() != form::sectionPanel(open))
            return fail("the open section's index is " +
                        std::to_string(form->accordion().expandedSectionIndex()));
        return true;
    }

    bool checkInvariants(bool chosen, const std::optional<QString>& typedIntoPicker, const Action& a)
    {
        if (!checkAccordion())
            return false;

        const int outer = form->frameGeometry().width();
        if (outer != (m.widened ? Calculator::wideOuterWidth : narrowOuterWidth))
            return fail("the outer width is " + std::to_string(outer));
        if (form->height() != form::clientHeight)
            return fail("the client height is " + std::to_string(form->height()));

        DropDownList* element = combo(0);
        DropDownList* e1 = combo(1);
        DropDownList* e2 = combo(2);
        if (!element->isHidden() && !e1->isHidden())
            return fail("the size list and the first picker are both visible");
        const bool twoPickers = m.family ? m.family->controls == catalogue::SizeControls::TwoPickers : true;
        if (element->isHidden() != twoPickers || e1->isHidden() == twoPickers || e2->isHidden() == twoPickers)
            return fail("the wrong size controls are visible");
        for (std::size_t i = 0; i < 3; ++i) {
            if (comboLabels[i]->isHidden() != combos[i]->isHidden())
                return fail(std::string("the caption of ") + dropDownName(static_cast<int>(i)) +
                            " does not show and hide with it");
        }

        // The size list and the unit masses.
        const auto& unitMasses = form->calculator().state().unitMasses;
        const int count = element->count();
        if (static_cast<std::size_t>(count) != m.sizes.size())
            return fail("the size list holds " + std::to_string(count) + " items instead of " +
                        std::to_string(m.sizes.size()));
        if (unitMasses.size() < static_cast<std::size_t>(count))
            return fail("size list positions without a unit mass: " + std::to_string(count) + " items, " +
                        std::to_string(unitMasses.size()) + " unit masses");
        if (element->itemIndex() < -1 || element->itemIndex() >= count)
            return fail("the size list selects " + std::to_string(element->itemIndex()));
        if (chosen) {
            for (int i = 0; i < count; ++i) {
                if (element->itemText(i) != m.sizes[static_cast<std::size_t>(i)])
                    return fail("size " + std::to_string(i) + " reads " + escaped(element->itemText(i)));
            }
            if (unitMasses != m.masses)
                return fail("the unit masses do not match the loaded table");
            // A kind choice leaves no size chosen and the pickers reset.
            if (element->itemIndex() != -1 || !element->currentText().isEmpty())
                return fail("a size stays selected after a kind choice");
            if (twoPickers && (e1->itemIndex() != -1 || !e1->currentText().isEmpty() || e2->isEnabled() ||
                               e2->count() != 0 || !e2->currentText().isEmpty()))
                return fail("the pickers are not reset after a kind choice");
        }

        if (m.family && twoPickers && !checkPickers())
            return false;
        // What a drop-down list shows is what it selects: the first item
        // whose whole text equals the shown text, letter case aside.
        for (int i = 0; i < 3; ++i) {
            DropDownList* box = combo(i);
            int shown = -1;
            for (int j = 0; j < box->count() && shown < 0; ++j) {
                if (box->itemText(j).compare(box->currentText(), Qt::CaseInsensitive) == 0)
                    shown = j;
            }
            if (box->itemIndex() != shown)
                return fail(std::string(dropDownName(i)) + " shows " + escaped(box->currentText()) +
                            " but selects " + std::to_string(box->itemIndex()));
        }
        // The focus never rests on a control the user cannot see.
        if (const QWidget* focus = focused(); focus && focus->window() == form.get()) {
            for (int k = 1; k <= 12; ++k) {
                if (focus == lists[static_cast<std::size_t>(k - 1)] && m.openSection != k)
                    return fail("the focus is on the kinds list of closed section " + std::to_string(k));
            }
            if (!m.widened && find<QWidget>(QStringLiteral("sPanel4"))->isAncestorOf(focus))
                return fail("the focus is on " + focus->objectName().toStdString() +
                            " in the right column, which is out of sight");
        }
        if (typedIntoPicker && !typedIntoPicker->isEmpty()) {
            DropDownList* box = combo(a.a);
            int expected = -1;
            for (int i = 0; i < box->count(); ++i) {
                if (startsWithIgnoringCase(box->itemText(i), *typedIntoPicker)) {
                    expected = i;
                    break;
                }
            }
            if (box->itemIndex() != expected)
                return fail(std::string("typing into ") + dropDownName(a.a) + " selected " +
                            std::to_string(box->itemIndex()) + " instead of " + std::to_string(expected));
        }

        // Mode, captions, result, input.
        if (form->modeItemIndex() != m.mode)
            return fail("the mode is " + std::to_string(form->modeItemIndex()));
        for (std::size_t i = 0; i < 2; ++i) {
            if (modes[i]->text() != m.modeText[i])
                return fail("mode item " + std::to_string(i) + " reads " + escaped(modes[i]->text()));
        }
        if (inputCaption->isHidden() == m.inputCaptionShown || inputCaption->text() != m.inputCaption)
            return fail("the field's caption is " + escaped(inputCaption->text()) +
                        (inputCaption->isHidden() ? " (hidden)" : " (shown)"));
        if (result->text() != m.result)
            return fail("the result reads " + escaped(result->text()) + " instead of " + escaped(m.result));
        if (edit->text() != m.input)
            return fail("the field holds " + escaped(edit->text()) + " instead of " + escaped(m.input));
        return true;
    }

    bool checkPickers()
    {
        DropDownList* element = combo(0);
        DropDownList* e1 = combo(1);
        DropDownList* e2 = combo(2);
        const std::vector<QString> first = firstLevels();
        if (static_cast<std::size_t>(e1->count()) != first.size())
            return fail("the first picker holds " + std::to_string(e1->count()) + " items instead of " +
                        std::to_string(first.size()));
        for (int i = 0; i < e1->count(); ++i) {
            if (e1->itemText(i) != first[static_cast<std::size_t>(i)])
                return fail("first-level item " + std::to_string(i) + " reads " + escaped(e1->itemText(i)));
        }
        if (!e2->isEnabled()) {
            // No first level has been chosen since the kind.
            if (e2->count() != 0 || e1->itemIndex() != -1 || element->itemIndex() != -1)
                return fail("the second picker is disabled, yet a size is on its way");
            return true;
        }
        const QString firstText = e1->itemIndex() >= 0 ? e1->itemText(e1->itemIndex()) : QString();
        const QString prefix = firstText + u'x';
        std::vector<QString> second;
        for (const QString& size : m.sizes) {
            if (size.startsWith(prefix))
                second.push_back(size.mid(prefix.size()));
        }
        if (static_cast<std::size_t>(e2->count()) != second.size())
            return fail("the second picker holds " + std::to_string(e2->count()) + " items for " +
                        escaped(firstText) + " instead of " + std::to_string(second.size()));
        for (int i = 0; i < e2->count(); ++i) {
            if (e2->itemText(i) != second[static_cast<std::size_t>(i)])
                return fail("second-level item " + std::to_string(i) + " reads " + escaped(e2->itemText(i)));
        }
        int expected = -1;
        if (e2->itemIndex() >= 0) {
            const QString key = prefix + e2->itemText(e2->itemIndex());
            for (std::size_t i = 0; i < m.sizes.size() && expected < 0; ++i) {
                if (m.sizes[i] == key)
                    expected = static_cast<int>(i);
            }
        }
        if (element->itemIndex() != expected)
            return fail("the pickers show " + escaped(firstText) + " and " +
                        escaped(e2->itemIndex() >= 0 ? e2->itemText(e2->itemIndex()) : QString()) +
                        " but the size list selects " + std::to_string(element->itemIndex()));
        return true;
    }

    // --- generation ----------------------------------------------------------

    static Action calcClick()
    {
        Action a;
        a.kind = ActionKind::CalcClick;
        return a;
    }

    Action generate(std::mt19937_64& rng)
    {
        const auto pick = [&rng](int n) {
            return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n));
        };
        activate(); // whatever the user does next, they do it in this window
        const bool wide = m.widened;
        QWidget* focus = focused();
        const bool fieldFocused = focus == edit;

        struct Candidate {
            ActionKind kind;
            double weight;
        };
        std::vector<Candidate> c = {
            {ActionKind::HeaderClick, m.headerClicked ? 3.0 : 15.0},
            {ActionKind::KindClick, m.openSection ? 12.0 : 0.0},
            {ActionKind::ModeClick, wide ? 4.0 : 0.0},
            {ActionKind::CalcClick, wide ? 12.0 : 0.0},
            {ActionKind::FieldClick, wide ? (fieldFocused ? 3.0 : 10.0) : 0.0},
            {ActionKind::FieldKey, fieldFocused ? 25.0 : 0.0},
            {ActionKind::FieldType, fieldFocused ? 15.0 : 0.0},
            {ActionKind::ContextMenu, wide ? 3.0 : 0.0},
            {ActionKind::FocusKey, focus && !fieldFocused ? 6.0 : 0.0},
            {ActionKind::PickerPopup, wide ? 6.0 : 0.0},
            {ActionKind::PickerType, wide ? 6.0 : 0.0},
            {ActionKind::PickerWheel, wide ? 1.0 : 0.0},
            {ActionKind::SwitchAway, 0.3},
            {ActionKind::ClickNowhere, wide ? 0.5 : 0.0},
            {ActionKind::ResultMenu, wide ? 1.0 : 0.0},
        };
        std::vector<double> weights;
        for (const auto& x : c)
            weights.push_back(x.weight);
        std::discrete_distribution<int> choose(weights.begin(), weights.end());
        Action a;
        a.kind = c[static_cast<std::size_t>(choose(rng))].kind;

        // A user who sees junk in the field soon selects it all and deletes it.
        const QString text = edit->text();
        const bool junk = text.size() > 24 || std::any_of(text.begin(), text.end(), [](QChar ch) {
                              return !(ch.isDigit() && ch.unicode() < 0x80) && ch != u',';
                          });
        if (wide && junk && pick(3) == 0) {
            if (fieldFocused && edit->selectedText() == text) {
                a.kind = ActionKind::FieldKey;
                a.a = pick(2) ? fieldKey("Delete") : fieldKey("Backspace");
            } else {
                a.kind = ActionKind::ContextMenu;
                a.a = static_cast<int>(ContextCommand::SelectAll);
            }
            return a;
        }

        // Visible, enabled drop-down lists.
        std::vector<int> pickers;
        for (int i = 0; i < 3; ++i) {
            if (!combo(i)->isHidden() && combo(i)->isEnabled())
                pickers.push_back(i);
        }

        switch (a.kind) {
        case ActionKind::HeaderClick:
            a.a = 1 + pick(12);
            break;
        case ActionKind::KindClick: {
            a.a = m.openSection;
            const int kinds =
                static_cast<int>(catalogue::families[static_cast<std::size_t>(a.a - 1)]->kinds.size());
            a.b = pick(kinds);
            a.c = pick(15) == 0;
            break;
        }
        case ActionKind::ModeClick:
            a.a = pick(2);
            break;
        case ActionKind::CalcClick:
        case ActionKind::SwitchAway:
            break;
        case ActionKind::FieldClick:
            a.a = 2 + pick(edit->width() - 4);
            a.b = pick(5) == 0 ? 2 + pick(edit->width() - 4) : a.a;
            break;
        case ActionKind::FieldKey: {
            const auto& keys = fieldKeys();
            // Mostly what a user types into a number field: digits and the comma.
            static const std::vector<int> common = [&keys] {
                std::vector<int> out;
                for (std::size_t i = 0; i < keys.size(); ++i) {
                    const std::string name = keys[i].name;
                    if (name.size() == 1 || name == "Backspace" || name == "Delete" || name == "Left" ||
                        name == "Right")
                        out.push_back(static_cast<int>(i));
                }
                return out;
            }();
            if (pick(3) != 0) {
                a.a = common[static_cast<std::size_t>(pick(static_cast<int>(common.size())))];
            } else {
                a.a = pick(static_cast<int>(keys.size()));
            }
            break;
        }
        case ActionKind::FieldType: {
            // A number, now and then with a comma or a full stop in it.
            const int length = 1 + pick(8);
            const int separatorAt = pick(2) ? pick(length + 1) : -1;
            for (int i = 0; i < length; ++i) {
                if (i == separatorAt)
                    a.text += pick(3) ? u',' : u'.';
                a.text += QChar(u'0' + pick(10));
            }
            break;
        }
        case ActionKind::ContextMenu: {
            const int r = pick(20);
            a.a = static_cast<int>(r < 13   ? ContextCommand::Paste
                                   : r < 16 ? ContextCommand::SelectAll
                                   : r < 18 ? ContextCommand::Cut
                                            : ContextCommand::Delete);
            if (static_cast<ContextCommand>(a.a) == ContextCommand::Paste)
                a.text = randomPasteText(rng);
            break;
        }
        case ActionKind::FocusKey:
            a.a = pick(static_cast<int>(focusKeys().size()));
            break;
        case ActionKind::PickerPopup: {
            std::vector<int> filled;
            for (int i : pickers) {
                if (combo(i)->count() > 0)
                    filled.push_back(i);
            }
            if (filled.empty())
                return calcClick();
            a.a = filled[static_cast<std::size_t>(pick(static_cast<int>(filled.size())))];
            a.b = pick(combo(a.a)->count());
            break;
        }
        case ActionKind::PickerType: {
            if (pickers.empty())
                return calcClick();
            a.a = pickers[static_cast<std::size_t>(pick(static_cast<int>(pickers.size())))];
            DropDownList* box = combo(a.a);
            const int r = pick(10);
            if (box->count() > 0 && r < 7) {
                QString item = box->itemText(pick(box->count()));
                a.text = r < 4 ? item.left(1 + pick(static_cast<int>(item.size()))) : item;
                if (pick(4) == 0)
                    a.text = a.text.toUpper();
            } else {
                static const char16_t alphabet[] = {u'0', u'1', u'2', u'5', u'x', u'X',
                                                    u'х', u'.', u',', u' ', u'-'};
                const int length = 1 + pick(4);
                for (int i = 0; i < length; ++i)
                    a.text += QChar(alphabet[pick(static_cast<int>(std::size(alphabet)))]);
            }
            a.b = pick(3) == 0 ? 1 : pick(5) == 0 ? 2 : 0;
            break;
        }
        case ActionKind::PickerWheel:
            if (pickers.empty())
                return calcClick();
            a.a = pickers[static_cast<std::size_t>(pick(static_cast<int>(pickers.size())))];
            a.b = pick(2) ? 1 : -1;
            break;
        case ActionKind::ClickNowhere:
            a.a = pick(4);
            break;
        case ActionKind::ResultMenu:
            a.a = pick(2);
            break;
        }
        return a;
    }
};

Session::Session() : d(std::make_unique<Impl>()) {}

Session::~Session() = default;

Action Session::generate(std::mt19937_64& rng)
{
    return d->generate(rng);
}

bool Session::run(const Action& action)
{
    if (!d->failure.empty())
        return false;
    return d->run(action);
}

const std::string& Session::failure() const
{
    return d->failure;
}

int Session::boxesShown() const
{
    return d->modal.totalBoxes;
}

std::vector<QString> Session::lastBoxTexts() const
{
    std::vector<QString> texts;
    for (const auto& box : d->modal.boxes)
        texts.push_back(box.text);
    return texts;
}

QString Session::resultText() const
{
    return d->result->text();
}

Session::Snapshot Session::snapshot() const
{
    Snapshot s;
    for (const KindsList* list : d->lists)
        s.kinds.push_back(list->itemIndex());
    s.sizeIndex = d->combo(0)->itemIndex();
    s.firstLevelIndex = d->combo(1)->itemIndex();
    s.secondLevelIndex = d->combo(2)->itemIndex();
    s.mode = d->form->modeItemIndex();
    s.unitMasses = d->form->calculator().state().unitMasses;
    s.input = d->edit->text();
    s.cursor = d->edit->cursorPosition();
    s.selectionStart = d->edit->selectionStart();
    s.selectedText = d->edit->selectedText();
    return s;
}

int replay(const std::vector<Action>& actions, std::string* failure)
{
    Session session;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (!session.run(actions[i])) {
            if (failure)
                *failure = session.failure();
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace tarvik::users
