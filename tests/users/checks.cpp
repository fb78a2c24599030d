// What must hold after every action, judged on the real window against the
// model.

#include "session_impl.h"

#include "calculator/form_layout.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextDocument>

namespace tarvik::users {
namespace {

constexpr int closedHeight = 25;

bool startsWithFolded(const QString& text, const QString& prefix)
{
    return Model::foldedSize(text).startsWith(Model::foldedSize(prefix));
}

} // namespace

bool Session::Impl::checkCopy(const QWidget* target)
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

bool Session::Impl::checkBoxes(const std::vector<QString>& expected)
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
            return fail("the error box says " + escaped(box.text) + " instead of " + escaped(expected[i]));
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

bool Session::Impl::checkAccordion()
{
    std::array<QRect, 12> g;
    for (std::size_t i = 0; i < 12; ++i)
        g[i] = panels[i]->geometry();
    if (!m.headerClicked) {
        for (int k = 1; k <= 12; ++k) {
            if (g[static_cast<std::size_t>(k - 1)] != QRect(8, 8 + 24 * (k - 1), 203, closedHeight))
                return fail("section " + std::to_string(k) + " moved before any header was clicked");
        }
        return form->accordion().expandedSectionIndex() == -1 || fail("a section counts as open too early");
    }
    int open = 0;
    for (int k = 1; k <= 12; ++k) {
        const QRect r = g[static_cast<std::size_t>(k - 1)];
        const int kinds =
            static_cast<int>(catalogue::families[static_cast<std::size_t>(k - 1)]->kinds.size());
        if (r.height() != closedHeight) {
            if (open)
                return fail("sections " + std::to_string(open) + " and " + std::to_string(k) + " are open");
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

bool Session::Impl::checkInvariants(const Turn& turn, const Action& a)
{
    return checkAccordion() && checkWindowSize() && checkSizeControls() &&
           checkSizeList(turn.chosenSection != 0) && (!(m.family && twoPickersShown()) || checkPickers()) &&
           checkShownIsSelected() && checkFocus() && checkTypedIntoPicker(turn.typedIntoPicker, a.a) &&
           checkModeCaptionsResultAndInput();
}

bool Session::Impl::checkWindowSize()
{
    const int outer = form->frameGeometry().width();
    if (outer != (m.widened ? Calculator::wideOuterWidth : narrowOuterWidth))
        return fail("the outer width is " + std::to_string(outer));
    if (form->height() != form::clientHeight)
        return fail("the client height is " + std::to_string(form->height()));
    return true;
}

// Before any kind choice the pickers show, as at the start.
bool Session::Impl::twoPickersShown() const
{
    return m.family ? m.family->controls == catalogue::SizeControls::TwoPickers : true;
}

bool Session::Impl::checkSizeControls()
{
    DropDownList* element = combo(0);
    DropDownList* e1 = combo(1);
    DropDownList* e2 = combo(2);
    if (!element->isHidden() && !e1->isHidden())
        return fail("the size list and the first picker are both visible");
    const bool twoPickers = twoPickersShown();
    if (element->isHidden() != twoPickers || e1->isHidden() == twoPickers || e2->isHidden() == twoPickers)
        return fail("the wrong size controls are visible");
    for (std::size_t i = 0; i < 3; ++i) {
        if (comboLabels[i]->isHidden() != combos[i]->isHidden())
            return fail(std::string("the caption of ") + dropDownName(static_cast<int>(i)) +
                        " does not show and hide with it");
    }
    return true;
}

// The size list and the unit masses; right after a kind choice, its sizes
// with none chosen and the pickers reset.
bool Session::Impl::checkSizeList(bool chosen)
{
    DropDownList* element = combo(0);
    DropDownList* e1 = combo(1);
    DropDownList* e2 = combo(2);
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
    if (!chosen)
        return true;
    for (int i = 0; i < count; ++i) {
        if (element->itemText(i) != m.sizes[static_cast<std::size_t>(i)])
            return fail("size " + std::to_string(i) + " reads " + escaped(element->itemText(i)));
    }
    if (unitMasses != m.masses)
        return fail("the unit masses do not match the loaded table");
    if (element->itemIndex() != -1 || !element->currentText().isEmpty())
        return fail("a size stays selected after a kind choice");
    if (twoPickersShown() && (e1->itemIndex() != -1 || !e1->currentText().isEmpty() || e2->isEnabled() ||
                              e2->count() != 0 || !e2->currentText().isEmpty()))
        return fail("the pickers are not reset after a kind choice");
    return true;
}

bool Session::Impl::checkPickers()
{
    DropDownList* element = combo(0);
    DropDownList* e1 = combo(1);
    DropDownList* e2 = combo(2);
    const std::vector<QString> first = m.firstLevels();
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
    const std::vector<QString> second = m.secondLevels(firstText);
    if (static_cast<std::size_t>(e2->count()) != second.size())
        return fail("the second picker holds " + std::to_string(e2->count()) + " items for " +
                    escaped(firstText) + " instead of " + std::to_string(second.size()));
    for (int i = 0; i < e2->count(); ++i) {
        if (e2->itemText(i) != second[static_cast<std::size_t>(i)])
            return fail("second-level item " + std::to_string(i) + " reads " + escaped(e2->itemText(i)));
    }
    const QString secondText = e2->itemIndex() >= 0 ? e2->itemText(e2->itemIndex()) : QString();
    const int expected = e2->itemIndex() >= 0 ? m.sizePosition(firstText + u'x' + secondText) : -1;
    if (element->itemIndex() != expected)
        return fail("the pickers show " + escaped(firstText) + " and " + escaped(secondText) +
                    " but the size list selects " + std::to_string(element->itemIndex()));
    return true;
}

// What a drop-down list shows is what it selects: the first item whose
// whole text equals the shown text, letter case aside.
bool Session::Impl::checkShownIsSelected()
{
    for (int i = 0; i < 3; ++i) {
        DropDownList* box = combo(i);
        int shown = -1;
        for (int j = 0; j < box->count() && shown < 0; ++j) {
            if (!Model::foldedSize(box->currentText()).isEmpty() &&
                Model::foldedSize(box->itemText(j)) == Model::foldedSize(box->currentText()))
                shown = j;
        }
        if (box->itemIndex() != shown)
            return fail(std::string(dropDownName(i)) + " shows " + escaped(box->currentText()) +
                        " but selects " + std::to_string(box->itemIndex()));
    }
    return true;
}

// The focus never rests on a control the user cannot see.
bool Session::Impl::checkFocus()
{
    const QWidget* focus = focused();
    if (!focus || focus->window() != form.get())
        return true;
    for (int k = 1; k <= 12; ++k) {
        if (focus == lists[static_cast<std::size_t>(k - 1)] && m.openSection != k)
            return fail("the focus is on the kinds list of closed section " + std::to_string(k));
    }
    if (!m.widened && find<QWidget>(QStringLiteral("sPanel4"))->isAncestorOf(focus))
        return fail("the focus is on " + focus->objectName().toStdString() +
                    " in the right column, which is out of sight");
    return true;
}

// Typing into a list selects the first item that begins with the text, as
// the lists fold sizes.
bool Session::Impl::checkTypedIntoPicker(const std::optional<QString>& typed, int which)
{
    if (!typed || typed->isEmpty())
        return true;
    DropDownList* box = combo(which);
    int expected = -1;
    for (int i = 0; i < box->count() && !Model::foldedSize(*typed).isEmpty(); ++i) {
        if (startsWithFolded(box->itemText(i), *typed)) {
            expected = i;
            break;
        }
    }
    if (box->itemIndex() != expected)
        return fail(std::string("typing into ") + dropDownName(which) + " selected " +
                    std::to_string(box->itemIndex()) + " instead of " + std::to_string(expected));
    return true;
}

bool Session::Impl::checkModeCaptionsResultAndInput()
{
    if (form->window().modeItemIndex() != m.mode)
        return fail("the mode is " + std::to_string(form->window().modeItemIndex()));
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

} // namespace tarvik::users
