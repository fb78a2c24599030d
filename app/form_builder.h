#pragma once

// Builds the main window's controls from the stored form layout and gives
// them their fixed texts. Nothing here runs a handler.

#include "app/material_controls.h"
#include "calculator/form_layout.h"
#include "calculator/window.h"

#include <QRect>

#include <array>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QObject;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

namespace tarvik {

class DropDownList;
class KindsList;
class NumericEdit;

struct FormControls {
    std::vector<QObject*> components; // creation order, as the layout lists them
    std::array<QPushButton*, form::allSections> headers{};
    std::array<KindsList*, form::allSections> kindsLists{};
    QWidget* calculationColumn = nullptr; // sPanel4
    QButtonGroup* modeButtons = nullptr;
    std::array<QRadioButton*, 2> modeItems{};
    std::array<DropDownList*, 3> lists{}; // by DropDown
    QGroupBox* resultBox = nullptr;       // sGroupBox1
    QLabel* sLabelResult = nullptr;
    QPushButton* sButtonCalc = nullptr;
    NumericEdit* sEditParam = nullptr;
    QLabel* sEditParamBoundLabel = nullptr;
    // Added to the stored layout: they move none of its controls.
    QLabel* kindInUse = nullptr;         // the name of the kind in use
    QPushButton* estimateAdd = nullptr;  // «В смету»: the result as a line of the estimate
    QPushButton* estimateShow = nullptr; // «Смета»: the estimate's window
    QLabel* missingInput = nullptr;      // what «Расчитать» still needs
    QLabel* inputHint = nullptr;         // why a typed key did not reach the field
    QTimer* inputHintTimer = nullptr;    // hides it again
    MaterialControls material;           // below the calculation column

    QWidget* widgetAt(int component) const;
    DropDownList* list(DropDown which) const { return lists[static_cast<std::size_t>(which)]; }
    KindsList* kinds(int section) const { return kindsLists.at(static_cast<std::size_t>(section - 1)); }
    QPushButton* header(int section) const { return headers.at(static_cast<std::size_t>(section - 1)); }
};

// Creates every component of the layout inside `window`. What the narrow
// start window cannot show stays hidden: the kinds lists of the closed
// sections and the calculation column beyond the window's edge, so Tab never
// lands on them and the start spares polishing and laying them out.
FormControls buildForm(QWidget& window);

// Shows the calculation column, giving its drop-down lists their line edits
// and their captions their places the first time.
void showCalculationColumn(FormControls& controls);

// Where the estimate's two buttons stand: on the row of «Расчитать», left of
// it, in the column's free space, «Смета» leftmost; the same width and gaps
// as «Расчитать».
inline constexpr QRect estimateShowGeometry{24, 320, 97, 25};
inline constexpr QRect estimateAddGeometry{136, 320, 97, 25};

// Marks the open section's header and shows only its kinds list.
void showOpenSection(FormControls& controls, int openSection);

} // namespace tarvik
