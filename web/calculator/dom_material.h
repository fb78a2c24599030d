#pragma once

// The material's controls and «Свой размер»'s fields over the page's DOM.
// The picked positions are kept here, as the handlers' own values; what
// the user types lives in the page and is read from it. The page's fields
// are numbered: 0 the density, 1 to 5 the dimensions.

#include "calculator/window.h"

#include <array>

namespace tarvik::web {

class DomMaterial : public MaterialWindow {
public:
    // A pick from the metal (0), grade (1) or standards' (2) list, recorded
    // before the handler runs.
    void picked(int list, int index);

    void setGradeItems(GradeList list, std::span<const std::u16string_view> texts, int index) override;
    int gradeIndex(GradeList list) const override;
    void setGradeChoiceEnabled(bool enabled) override;
    std::u16string densityText() const override;
    void setDensityText(std::u16string_view text) override;
    int densityCaret() const override;
    int densitySelectionEnd() const override;
    void showDensityHint(std::u16string_view reason) override;
    void setBasisText(std::u16string_view text) override;
    void setDimensionFields(std::span<const std::u16string_view> captions) override;
    std::u16string dimensionText(int field) const override;
    void setDimensionText(int field, std::u16string_view text) override;
    int dimensionCaret(int field) const override;
    int dimensionSelectionEnd(int field) const override;
    void showDimensionHint(int field, std::u16string_view reason, bool focus) override;
    void setRadiusStandardVisible(bool visible) override;
    int radiusStandardIndex() const override { return indices_[2]; }

    // The standards' list, filled once from the catalogue.
    void showStandards();

private:
    std::array<int, 3> indices_{0, 0, 0};
};

} // namespace tarvik::web
