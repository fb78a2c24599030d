#pragma once

#include <span>
#include <string>
#include <vector>

namespace tarvik {

// What the last kind choice and the last mode click left behind. Replaced
// whole by every kind choice; read by the calculation.
struct SelectionState {
    std::vector<double> unitMasses; // parallel to the items of the size list
    std::u16string massUnitText;
    std::u16string quantityUnitText;
    std::u16string quantityInputCaption;
    std::u16string massInputCaption;
    std::u16string activeUnitText; // written by the mode handler only
};

// Replaces the unit masses whole.
void SetUnitMasses(SelectionState& state, std::span<const double> unitMasses);

} // namespace tarvik
