#pragma once

// What one face did to the open estimate, step by step, for «Отменить» and
// «Вернуть»: each step keeps the lines it touched as they were before and
// after, so that undoing puts the first back and redoing the second. Another
// writer's changes, merged in, are no step: undo never takes them away.

#include "estimate/estimate.h"
#include "estimate/estimate_table.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

enum class StepKind { EditCell, AddLine, DeleteLine, Clear, Vat };

struct VatSettings {
    std::uint32_t rate = 0;
    bool included = true;
};

// One line's part in a step: where it stood, and what it was before and
// after (none: not in the estimate).
struct LineChange {
    std::size_t row = 0;
    std::optional<EstimateLine> before, after;
};

struct EstimateStep {
    explicit EstimateStep(StepKind k, EstimateColumn c = EstimateColumn::Number) : kind(k), column(c) {}

    StepKind kind;
    EstimateColumn column;         // the cell edited
    std::vector<LineChange> lines; // in the order of their rows
    VatSettings vatBefore, vatAfter;
};

// «изменение «Цена, руб» в строке 3»: what a step did, to follow
// «Отменить» or «Вернуть» in its button's description.
std::u16string stepText(const EstimateStep& step);

// Takes the estimate back to before the step, or on to after it; the row of
// the first line it touched, none for a step of the settings.
std::optional<std::size_t> undoStep(Estimate& estimate, const EstimateStep& step);
std::optional<std::size_t> redoStep(Estimate& estimate, const EstimateStep& step);

class EstimateHistory {
public:
    static constexpr std::size_t keptSteps = 200;

    // A new step; what was undone can no longer be redone.
    void record(EstimateStep step);
    void forget();

    const EstimateStep* nextUndo() const { return done_.empty() ? nullptr : &done_.back(); }
    const EstimateStep* nextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
    // Moves the next step from one list to the other; false when there is none.
    bool stepBack();
    bool stepForward();

private:
    std::deque<EstimateStep> done_;
    std::vector<EstimateStep> undone_;
};

} // namespace tarvik
