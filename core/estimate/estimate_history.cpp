#include "estimate/estimate_history.h"

#include "number/count_text.h"
#include "text/captions.h"

#include <algorithm>
#include <utility>

namespace tarvik {
namespace {

// Brings the estimate to one side of a step: the lines that side has are
// put back, the others taken away.
std::optional<std::size_t> apply(Estimate& estimate, const EstimateStep& step, bool after)
{
    if (step.kind == StepKind::Vat) {
        const VatSettings& vat = after ? step.vatAfter : step.vatBefore;
        estimate.setVat(vat.rate, vat.included);
        return std::nullopt;
    }
    std::vector<PlacedLine> put;
    std::vector<std::uint64_t> gone;
    for (const LineChange& change : step.lines) {
        const std::optional<EstimateLine>& line = after ? change.after : change.before;
        if (line)
            put.push_back({change.row, *line});
        else
            gone.push_back((change.before ? change.before : change.after)->id);
    }
    estimate.removeLines(gone);
    const std::uint64_t first = put.empty() ? 0 : put.front().line.id;
    estimate.putBack(std::move(put));
    if (first != 0)
        return estimate.rowOf(first);
    if (step.lines.empty() || estimate.size() == 0)
        return std::nullopt;
    return std::min(step.lines.front().row, estimate.size() - 1);
}

std::u16string lineNumber(const EstimateStep& step)
{
    return countText(step.lines.empty() ? 0 : step.lines.front().row + 1);
}

} // namespace

std::u16string stepText(const EstimateStep& step)
{
    switch (step.kind) {
    case StepKind::EditCell: {
        const EstimateLine* line = nullptr;
        if (!step.lines.empty())
            line = step.lines.front().before ? &*step.lines.front().before : nullptr;
        const QuantityMix mix =
            line && line->quantityKind == QuantityKind::Area ? QuantityMix::Area : QuantityMix::Length;
        return captionFilled(Caption::StepEditCell, {columnCaption(step.column, mix), lineNumber(step)});
    }
    case StepKind::AddLine:
        return captionFilled(Caption::StepAddLine, {lineNumber(step)});
    case StepKind::DeleteLine:
        return captionFilled(Caption::StepDeleteLine, {lineNumber(step)});
    case StepKind::Clear:
        return std::u16string(caption(Caption::StepClear));
    case StepKind::Vat:
        return std::u16string(caption(Caption::StepVat));
    }
    return {};
}

std::optional<std::size_t> undoStep(Estimate& estimate, const EstimateStep& step)
{
    return apply(estimate, step, false);
}

std::optional<std::size_t> redoStep(Estimate& estimate, const EstimateStep& step)
{
    return apply(estimate, step, true);
}

void EstimateHistory::record(EstimateStep step)
{
    undone_.clear();
    done_.push_back(std::move(step));
    if (done_.size() > keptSteps)
        done_.pop_front();
}

void EstimateHistory::forget()
{
    done_.clear();
    undone_.clear();
}

bool EstimateHistory::stepBack()
{
    if (done_.empty())
        return false;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return true;
}

bool EstimateHistory::stepForward()
{
    if (undone_.empty())
        return false;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return true;
}

} // namespace tarvik
