#include "model.h"

#include "common.h"

#include "tests/first_level.h"
#include "tests/reference/reference.h"

namespace tarvik::users {

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

QString Model::notAFloatText(const QString& input)
{
    return QStringLiteral("'") + input + QStringLiteral("' is not a valid floating point value.");
}

QString Model::foldedSize(const QString& text)
{
    static const QString latin = QStringLiteral("abcehkmoptxy×*");
    static const QString cyrillic = QStringLiteral("авсенкмортхуxх");
    QString folded;
    for (QChar c : text.toLower()) {
        if (c.isSpace())
            continue;
        if (c == u',')
            c = u'.';
        const auto at = latin.indexOf(c);
        folded += at >= 0 ? (at >= 12 ? QChar(u'х') : cyrillic[at]) : c;
    }
    return folded;
}

QString Model::pastedText(const QString& clipboard)
{
    const auto isEdgeSpace = [](QChar c) { return c.isSpace() || c == QChar(0xFEFF); };
    qsizetype begin = 0, end = clipboard.size();
    while (begin < end && isEdgeSpace(clipboard[begin]))
        ++begin;
    while (end > begin && isEdgeSpace(clipboard[end - 1]))
        --end;
    const QString trimmed = clipboard.mid(begin, end - begin);
    const auto isGroup = [](QChar c) {
        return c == u' ' || c == QChar(0xA0) || c == QChar(0x2007) || c == QChar(0x2009) ||
               c == QChar(0x202F);
    };
    QString out;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (isGroup(trimmed[i]) && i > 0 && trimmed[i - 1].unicode() >= u'0' &&
            trimmed[i - 1].unicode() <= u'9') {
            qsizetype j = i;
            while (j < trimmed.size() && isGroup(trimmed[j]))
                ++j;
            if (j < trimmed.size() && trimmed[j].unicode() >= u'0' && trimmed[j].unicode() <= u'9') {
                i = j - 1;
                continue;
            }
        }
        out += trimmed[i];
    }
    return out;
}

QString Model::afterTypedCharacter(const FieldState& before, const QString& keyText)
{
    if (keyText.size() != 1)
        return before.text;
    const char16_t ch = keyText.front().unicode();
    const int length = static_cast<int>(before.text.size());
    const int separatorAt = static_cast<int>(before.text.indexOf(QChar(separator))) + 1;
    const int caret = before.caret();
    char16_t reaching = 0;
    const bool wholeSelected = length > 0 && before.selectionStart == 0 && before.selectionLength >= length;
    if ((ch == u',' || ch == u'.') && (length == 0 || wholeSelected))
        return replaceSelection(before, QStringLiteral("0") + QChar(separator));
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

bool Model::deletionFits(const FieldState& before, const QString& after, bool forward)
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

void Model::clickRule(std::vector<QString>& boxes)
{
    if (input.isEmpty())
        return;
    const auto parsed = reference::parse(input.toStdU16String(), separator);
    if (parsed.status != reference::Parsed::Ok)
        boxes.push_back(notAFloatText(input));
    else if (parsed.value.significand == 0)
        input.clear();
}

void Model::leaveRule()
{
    if (input.isEmpty())
        input = QStringLiteral("0");
}

void Model::modeHandler()
{
    if (mode == 0) {
        activeUnit = massUnit;
        inputCaption = quantityCaption;
        inputCaptionShown = true;
    } else if (mode == 1) {
        activeUnit = quantityUnit;
        inputCaption = massCaption;
        inputCaptionShown = true;
    }
}

void Model::contextCommand(const Action& a, const FieldState& before)
{
    switch (static_cast<ContextCommand>(a.a)) {
    case ContextCommand::Paste:
        if (!pastedText(a.text).isEmpty())
            input = replaceSelection(before, pastedText(a.text));
        break;
    case ContextCommand::Cut:
    case ContextCommand::Delete:
        if (before.selectionStart >= 0)
            input = QString(before.text).remove(before.selectionStart, before.selectionLength);
        break;
    case ContextCommand::SelectAll:
        break;
    }
}

void Model::kindChoice(int section, int kind)
{
    const catalogue::Family& chosen = *catalogue::families[static_cast<std::size_t>(section - 1)];
    const bool area = chosen.textSet == catalogue::TextSet::Area;
    widened = true;
    family = &chosen;
    massUnit = QStringLiteral("кг");
    quantityUnit = area ? QStringLiteral("кв.м") : QStringLiteral("м");
    quantityCaption = area ? QStringLiteral("Площадь, кв.м") : QStringLiteral("Длина, м");
    massCaption = QStringLiteral("Масса, кг");
    modeHandler();
    modeText[0] = area ? QStringLiteral("Массу по площади") : QStringLiteral("Массу по длине");
    modeText[1] = area ? QStringLiteral("Площадь по массе") : QStringLiteral("Длину по массе");
    result.clear();
    sizes.clear();
    table = nullptr;
    if (kind >= 0 && static_cast<std::size_t>(kind) < chosen.tables.size()) {
        const catalogue::KindTable& loaded = chosen.tables[static_cast<std::size_t>(kind)];
        table = &loaded;
        for (auto t : loaded.sizes)
            sizes.push_back(qs(t));
        masses.assign(loaded.unitMasses.begin(), loaded.unitMasses.end());
    }
}

bool Model::calculation(int size, std::vector<QString>& boxes)
{
    result.clear();
    if ((mode != 0 && mode != 1) || size < 0)
        return true;
    if (static_cast<std::size_t>(size) >= sizes.size() || static_cast<std::size_t>(size) >= masses.size())
        return false;
    const auto outcome =
        reference::calculate(input.toStdU16String(), masses[static_cast<std::size_t>(size)], mode, separator);
    switch (outcome.kind) {
    case reference::CalcOutcome::Ok:
        result = qs(outcome.text) + u' ' + activeUnit;
        break;
    case reference::CalcOutcome::NotAFloat:
        boxes.push_back(notAFloatText(input));
        break;
    case reference::CalcOutcome::Overflow:
        boxes.push_back(QStringLiteral("Floating point overflow."));
        break;
    }
    return true;
}

// None while no kind's table is loaded.
std::vector<QString> Model::firstLevels() const
{
    std::vector<QString> out;
    if (table) {
        for (auto t : testing::firstLevels(*table))
            out.push_back(qs(t));
    }
    return out;
}

std::vector<QString> Model::secondLevels(const QString& first) const
{
    const QString prefix = first + u'x';
    std::vector<QString> out;
    for (const QString& size : sizes) {
        if (size.startsWith(prefix))
            out.push_back(size.mid(prefix.size()));
    }
    return out;
}

int Model::sizePosition(const QString& size) const
{
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == size)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace tarvik::users
