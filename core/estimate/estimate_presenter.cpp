#include "estimate/estimate_presenter.h"

#include "estimate/estimate_cells.h"
#include "estimate/estimate_file.h"
#include "estimate/estimate_messages.h"
#include "number/count_text.h"
#include "text/captions.h"
#include "text/error_box.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tarvik {
namespace {

std::size_t at(EstimateColumn column)
{
    return static_cast<std::size_t>(column);
}

// An edit's refusal in words; one that threw (out of memory) in the error
// box's words: nothing leaves the presenter.
template <typename Edit> EditResult guardedEdit(Edit&& edit)
{
    try {
        return edit();
    } catch (...) {
        return {EditError::Calculation, errorBoxTextOfCurrentException()};
    }
}

VatSettings vatOf(const Estimate& e)
{
    return {e.vatRate(), e.pricesIncludeVat()};
}

EstimateStep vatStep(VatSettings before, VatSettings after)
{
    EstimateStep step(StepKind::Vat);
    step.vatBefore = before;
    step.vatAfter = after;
    return step;
}

} // namespace

EstimatePresenter::EstimatePresenter(EstimateLibrary& library, EstimateView& view)
    : library_(library), view_(view)
{
}

std::u16string EstimatePresenter::columnTitle(EstimateColumn column) const
{
    return std::u16string(columnCaption(column, quantityMix(estimate())));
}

EstimateCell EstimatePresenter::cell(std::size_t row, EstimateColumn column) const
{
    const Estimate& e = estimate();
    const EstimateLine& line = e.line(row);
    EstimateCell cell;
    cell.decimals = cellDecimals(column);
    cell.choices = cellChoices(line, column);
    const bool costOutOfRange =
        column == EstimateColumn::Cost && e.cost(row).state == LineCostState::OutOfRange;
    if (const auto refusal = refusals_.find({line.id, column}); refusal != refusals_.end()) {
        cell.text = refusal->second.text;
        cell.editText = refusal->second.text;
        cell.reason = refusal->second.reason;
        cell.alert = true;
        return cell;
    }
    cell.text = costOutOfRange ? std::u16string(caption(Caption::CostOutOfRange))
                               : std::move(estimateLineRow(e, row)[at(column)]);
    cell.editText = cellEditText(line, column);
    cell.alert = costOutOfRange;
    // A line whose last change the storage refused is marked by its number.
    if (column == EstimateColumn::Number && library_.lineUnsaved(line)) {
        cell.alert = true;
        cell.reason = caption(Caption::LineNotSaved);
    }
    return cell;
}

std::u16string EstimatePresenter::lineNotes(std::size_t row) const
{
    return tarvik::lineNotes(estimate(), row);
}

bool EstimatePresenter::hasNote(std::size_t row) const
{
    return estimate().line(row).note != CatalogueNote::None;
}

std::vector<TableRow> EstimatePresenter::totals() const
{
    return estimateTotalsRows(estimate());
}

std::u16string EstimatePresenter::vatRateText() const
{
    return tarvik::vatRateText(estimate().vatRate(), estimate().separator());
}

std::u16string EstimatePresenter::windowTitle() const
{
    return captionWith(Caption::EstimateWindowTitle, name());
}

std::u16string EstimatePresenter::printedTitle() const
{
    return captionWith(Caption::PrintedTitle, name());
}

std::u16string EstimatePresenter::printedDate(CalendarDate date) const
{
    return captionWith(Caption::PrintedDate, calendarDateText(date));
}

std::u16string EstimatePresenter::fileName(ExportFile file, CalendarDate date) const
{
    return exportFileName(name(), date, file == ExportFile::Csv ? u"csv" : u"pdf");
}

EstimateFileOut EstimatePresenter::exportFile() const
{
    return {estimateExportName(name()), estimateFileBytes(estimate())};
}

std::u16string EstimatePresenter::deletedText(const DeletedEstimate& deleted, CalendarDate day)
{
    return captionFilled(Caption::DeletedEntry, {deleted.name, calendarDateText(day)});
}

std::u16string EstimatePresenter::damagedText(const DamagedEstimate& damaged)
{
    return captionFilled(Caption::DamagedEntry,
                         {damaged.name, countText(damaged.linesRead), countText(damaged.linesHeld)});
}

EstimateCommands EstimatePresenter::commands() const
{
    EstimateCommands c;
    if (library_.deletedElsewhere()) {
        c.canUndo = true;
        c.undoText = captionWith(Caption::UndoStep, captionWith(Caption::StepDeleteEstimate, name()));
    } else if (const EstimateStep* step = history_.nextUndo()) {
        c.canUndo = true;
        c.undoText = captionWith(Caption::UndoStep, stepText(*step));
    } else if (removedEstimate_ && library_.canUndoRemove()) {
        c.canUndo = true;
        c.undoText =
            captionWith(Caption::UndoStep, captionWith(Caption::StepDeleteEstimate, *removedEstimate_));
    }
    if (const EstimateStep* step = history_.nextRedo()) {
        c.canRedo = true;
        c.redoText = captionWith(Caption::RedoStep, stepText(*step));
    }
    return c;
}

void EstimatePresenter::showCommands()
{
    view_.showCommands(commands());
}

void EstimatePresenter::tellMessages()
{
    for (LibraryMessage& m : library_.takeMessages()) {
        if (m.event == LibraryEvent::RenamedElsewhere)
            view_.showEstimate();
        // What is not saved can still be kept: the lines marked, in a file.
        if (m.event == LibraryEvent::NotSaved && library_.unsaved())
            m.text += u' ' + std::u16string(caption(Caption::UnsavedLinesHint));
        view_.showMessage(m.text, EstimateTone::Error);
    }
    showCommands();
}

void EstimatePresenter::took(EstimateStep step)
{
    history_.record(std::move(step));
    showCommands();
    view_.saveSoon();
}

void EstimatePresenter::changedRows(std::optional<std::size_t> chosen)
{
    view_.showRows();
    if (chosen && *chosen < rowCount())
        view_.chooseLine(*chosen);
}

void EstimatePresenter::add(const Calculation& calculation)
{
    Estimate& e = library_.estimate();
    const EditResult added = guardedEdit([&] { return e.add(calculation); });
    if (!added) {
        view_.showMessage(editErrorText(added), EstimateTone::Error);
        return;
    }
    const std::size_t row = *e.rowOf(added.id);
    EstimateStep step(StepKind::AddLine);
    step.lines.push_back({row, std::nullopt, e.line(row)});
    changedRows(row);
    took(std::move(step));
}

bool EstimatePresenter::commitCell(std::uint64_t id, EstimateColumn column, std::u16string_view text)
{
    // A cell emptied means what the Delete key on it means: «Кол-во» left
    // empty is a line no longer counted in pieces.
    if (const std::optional<EstimateColumn> emptied = columnEmptiedByDelete(column);
        text.empty() && emptied && *emptied != column) {
        refusals_.erase({id, column});
        column = *emptied;
    }
    Estimate& e = library_.estimate();
    const std::optional<std::size_t> row = e.rowOf(id);
    if (!row || !cellEdited(column))
        return false;
    if (!cellDecimals(column)) {
        const std::vector<std::u16string> choices = cellChoices(e.line(*row), column);
        if (std::find(choices.begin(), choices.end(), text) == choices.end())
            return false;
    }
    const CellKey key{id, column};
    const auto refusal = refusals_.find(key);
    // Leaving a cell as it was is no change: nothing to recompute, save or
    // undo. A refused text left as it was stays refused.
    if (refusal != refusals_.end()
            ? text == refusal->second.text
            : text == cellEditText(e.line(*row), column) || text == cell(*row, column).text)
        return refusal == refusals_.end();
    EstimateLine before = e.line(*row);
    const EditResult result = guardedEdit([&] { return editCell(e, id, column, text); });
    if (!result) {
        std::u16string reason = editErrorText(result);
        // A cell that may not be emptied keeps its value: an empty text
        // standing refused would look as if it had gone.
        if (!text.empty())
            refusals_[key] = {std::u16string(text), reason};
        view_.showLine(*row);
        view_.showMessage(reason, EstimateTone::Error);
        return false;
    }
    refusals_.erase(key);
    EstimateStep step(StepKind::EditCell, column);
    step.lines.push_back({*row, std::move(before), e.line(*row)});
    view_.showLine(*row);
    took(std::move(step));
    return true;
}

void EstimatePresenter::abandonCell(std::uint64_t id, EstimateColumn column)
{
    if (refusals_.erase({id, column}) == 0)
        return;
    if (const std::optional<std::size_t> row = rowOf(id))
        view_.showLine(*row);
}

void EstimatePresenter::emptyCell(std::uint64_t id, EstimateColumn column)
{
    if (columnEmptiedByDelete(column)) {
        refusals_.erase({id, column});
        commitCell(id, column, {});
    }
}

void EstimatePresenter::forgetRefusals(std::uint64_t id)
{
    std::erase_if(refusals_, [id](const auto& r) { return r.first.first == id; });
}

void EstimatePresenter::deleteLine(std::uint64_t id)
{
    Estimate& e = library_.estimate();
    const std::optional<std::size_t> row = e.rowOf(id);
    if (!row)
        return;
    EstimateStep step(StepKind::DeleteLine);
    step.lines.push_back({*row, e.line(*row), std::nullopt});
    e.remove(id);
    forgetRefusals(id);
    changedRows(e.size() > 0 ? std::optional(std::min(*row, e.size() - 1)) : std::nullopt);
    took(std::move(step));
}

void EstimatePresenter::clear()
{
    Estimate& e = library_.estimate();
    if (e.size() == 0)
        return;
    EstimateStep step(StepKind::Clear);
    step.lines.reserve(e.size());
    for (std::size_t row = 0; row < e.size(); ++row)
        step.lines.push_back({row, e.line(row), std::nullopt});
    e.clear();
    refusals_.clear();
    changedRows(std::nullopt);
    took(std::move(step));
}

void EstimatePresenter::showStep(const EstimateStep& step, std::optional<std::size_t> row)
{
    if (step.kind == StepKind::Vat)
        view_.showSettings();
    else
        changedRows(row);
}

void EstimatePresenter::undo()
{
    if (library_.deletedElsewhere()) {
        library_.keepDeletedElsewhere();
        showCommands();
        view_.saveSoon();
        return;
    }
    if (const EstimateStep* step = history_.nextUndo()) {
        showStep(*step, undoStep(library_.estimate(), *step));
        history_.stepBack();
        showCommands();
        view_.saveSoon();
        return;
    }
    if (removedEstimate_ && library_.undoRemove())
        switched();
}

void EstimatePresenter::redo()
{
    const EstimateStep* step = history_.nextRedo();
    if (!step)
        return;
    showStep(*step, redoStep(library_.estimate(), *step));
    history_.stepForward();
    showCommands();
    view_.saveSoon();
}

bool EstimatePresenter::commitVatRate(std::u16string_view text)
{
    Estimate& e = library_.estimate();
    if (text == vatRateText())
        return true;
    const VatSettings before = vatOf(e);
    const EditResult result = guardedEdit([&] { return e.setVatRate(text); });
    if (!result) {
        view_.showMessage(editErrorText(result), EstimateTone::Error);
        return false;
    }
    view_.showSettings();
    took(vatStep(before, vatOf(e)));
    return true;
}

void EstimatePresenter::setPricesIncludeVat(bool included)
{
    Estimate& e = library_.estimate();
    if (e.pricesIncludeVat() == included)
        return;
    const VatSettings before = vatOf(e);
    e.setPricesIncludeVat(included);
    view_.showSettings();
    took(vatStep(before, vatOf(e)));
}

void EstimatePresenter::switched()
{
    history_.forget();
    refusals_.clear();
    view_.showEstimate();
    showCommands();
    tellMessages();
}

template <typename Leave> void EstimatePresenter::leave(Leave&& leaveFor)
{
    const std::u16string key = library_.key();
    leaveFor();
    if (library_.key() == key) {
        // Still open, its steps kept: the library keeps an estimate open
        // while memory alone holds its changes (said, not silently), or the
        // other did not read (kept aside: the list shows it among the
        // damaged).
        view_.showEstimate();
        tellMessages();
        if (library_.unsaved())
            view_.showMessage(caption(Caption::SwitchRefusedUnsaved), EstimateTone::Error);
        return;
    }
    removedEstimate_.reset();
    switched();
}

void EstimatePresenter::create()
{
    leave([&] { library_.create(); });
}

void EstimatePresenter::open(std::u16string_view key)
{
    leave([&] { library_.open(key); });
}

void EstimatePresenter::restoreDeleted(std::u16string_view id)
{
    leave([&] { library_.restoreDeleted(id); });
}

void EstimatePresenter::recoverDamaged(std::u16string_view id)
{
    leave([&] { library_.recoverAside(id); });
}

void EstimatePresenter::rename(std::u16string_view name)
{
    const std::u16string refused = library_.rename(std::u16string(name));
    if (!refused.empty()) {
        view_.showMessage(refused, EstimateTone::Error);
        return;
    }
    // The open estimate is the same: its steps still apply.
    view_.showEstimate();
    showCommands();
    tellMessages();
}

void EstimatePresenter::duplicate()
{
    leave([&] { library_.duplicate(); });
}

void EstimatePresenter::deleteEstimate()
{
    std::u16string removed = name();
    library_.remove(library_.key());
    removedEstimate_ = std::move(removed);
    switched();
    view_.showMessage(captionWith(Caption::EstimateRemoved, *removedEstimate_), EstimateTone::Info);
}

bool EstimatePresenter::importFile(std::string_view bytes, std::u16string_view fileName)
{
    Caption refusal = Caption::ImportUnreadable;
    switch (library_.importFile(bytes)) {
    case ImportResult::Imported:
        removedEstimate_.reset();
        switched();
        view_.showMessage(captionWith(Caption::EstimateImported, name()), EstimateTone::Info);
        return true;
    case ImportResult::NotSaved:
        tellMessages();
        return false;
    case ImportResult::NotEstimate:
        refusal = Caption::ImportNotEstimate;
        break;
    case ImportResult::Unreadable:
        break;
    case ImportResult::NewerVersion:
        refusal = Caption::ImportTooNew;
        break;
    }
    view_.showMessage(captionWith(refusal, fileName), EstimateTone::Error);
    return false;
}

void EstimatePresenter::save()
{
    stored(library_.save());
}

void EstimatePresenter::stored(bool merged)
{
    const bool unsaved = library_.unsaved();
    if (merged)
        this->merged();
    else if (unsaved || unsaved != wasUnsaved_)
        view_.showRows(); // the marks of the lines not saved
    wasUnsaved_ = unsaved;
    tellMessages();
}

void EstimatePresenter::merged()
{
    // Rows another writer deleted take their refused texts with them.
    for (auto it = refusals_.begin(); it != refusals_.end();)
        it = rowOf(it->first.first) ? std::next(it) : refusals_.erase(it);
    view_.showRows();
    view_.showSettings();
}

void EstimatePresenter::refresh()
{
    const std::u16string key = library_.key();
    const std::u16string name = this->name();
    // What another writer stored may lack this face's changes (it wrote
    // over them unseen): saving writes them back, and nothing otherwise.
    if (library_.refresh()) {
        if (library_.key() != key || this->name() != name)
            view_.showEstimate();
        merged();
        view_.saveSoon();
    }
    tellMessages();
}

} // namespace tarvik
