#pragma once

// The controls of the material and of «Свой размер», in a group below the
// calculation column, and the window operations the core drives them by.
// They stand outside the stored layout and move none of its controls.

#include "calculator/window.h"
#include "catalogue/own_sections.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QTimer;

namespace tarvik {

class NumericEdit;

struct MaterialControls {
    QWidget* group = nullptr; // shows with the calculation column
    QLabel* basis = nullptr;
    QComboBox* metal = nullptr;
    QComboBox* grade = nullptr;
    NumericEdit* density = nullptr;
    QLabel* densityHint = nullptr;
    QTimer* densityHintTimer = nullptr;
    std::array<QLabel*, catalogue::maxOwnDimensions> dimensionCaptions{};
    std::array<NumericEdit*, catalogue::maxOwnDimensions> dimensions{};
    QComboBox* radiusStandard = nullptr;
    QLabel* dimensionHint = nullptr;
    QTimer* dimensionHintTimer = nullptr;
};

// Builds the group inside `panel` (sPanel1, which fills the window), below
// the calculation column; hidden until the column shows.
MaterialControls buildMaterialControls(QWidget& panel);

class QtMaterial : public MaterialWindow {
public:
    explicit QtMaterial(MaterialControls& controls) : c_(controls) {}

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
    int radiusStandardIndex() const override;

private:
    MaterialControls& c_;
};

} // namespace tarvik
