// «Свой размер»: a kind choice shows one field per dimension in place of the
// size lists, and a wall or a flange width fills in the standard's radii.

#include "calculator/calculator.h"

#include "calculator/own_section.h"
#include "catalogue/own_sections.h"
#include "text/text_sets.h"

#include <vector>

namespace tarvik {
namespace {

using catalogue::OwnShape;

// The fields of a profile pipe and of the angles, as the kinds' captions
// order them.
constexpr int profileWall = 2;
constexpr int profileRadius = 3;

} // namespace

const catalogue::OwnKind* Calculator::ownKind() const
{
    if (section_ != ownSection || kind_ < 0 || static_cast<std::size_t>(kind_) >= catalogue::ownKinds.size())
        return nullptr;
    return &catalogue::ownKinds[static_cast<std::size_t>(kind_)];
}

void Calculator::showNoDimensions()
{
    if (!material_)
        return;
    material_->setDimensionFields({});
    material_->setRadiusStandardVisible(false);
    material_->showDimensionHint(-1, {}, false);
}

void Calculator::runOwnKind()
{
    clearResult();
    for (DropDown list : {DropDown::Element, DropDown::E1, DropDown::E2}) {
        window_.setVisible(list, false);
        window_.setItemIndex(list, -1);
        window_.clearItems(list);
    }
    state_.unitMasses.clear();
    const catalogue::OwnKind* own = ownKind();
    if (!own) {
        showNoDimensions();
        return;
    }
    material_->setDimensionFields(own->dimensionCaptions);
    material_->setRadiusStandardVisible(own->shape == OwnShape::ProfilePipe);
    material_->showDimensionHint(-1, {}, false);
}

KeyVerdict Calculator::dimensionKeyPress(int field, char16_t key)
{
    if (!material_)
        return {};
    KeyVerdict verdict = numberKeyVerdict({material_->dimensionText(field), material_->dimensionCaret(field),
                                           material_->dimensionSelectionEnd(field)},
                                          key, separator_);
    if (!verdict.reason.empty())
        material_->showDimensionHint(field, verdict.reason, false);
    return verdict;
}

void Calculator::dimensionChange(int field)
{
    markResultOutOfDate();
    if (material_)
        material_->showDimensionHint(-1, {}, false);
    fillRadii(field);
}

void Calculator::radiusStandardChange()
{
    markResultOutOfDate();
    fillRadii(profileWall);
}

// The radii follow the dimensions they depend on until the user types his
// own; a later change of those dimensions fills them in anew.
void Calculator::fillRadii(int changedField)
{
    const catalogue::OwnKind* own = ownKind();
    if (!own || !material_)
        return;
    if (own->shape == OwnShape::ProfilePipe && changedField == profileWall) {
        const std::optional<std::u16string> r =
            profileRadiusText(static_cast<std::size_t>(std::max(0, material_->radiusStandardIndex())),
                              material_->dimensionText(profileWall), separator_);
        if (r)
            material_->setDimensionText(profileRadius, *r);
        return;
    }
    const bool equal = own->shape == OwnShape::EqualAngle;
    if (!equal && own->shape != OwnShape::UnequalAngle)
        return;
    // Widths: field 0 of an equal angle, 0 and 1 of an unequal one; the
    // radii are its last two fields.
    const int widths = equal ? 1 : 2;
    if (changedField >= widths)
        return;
    const std::u16string a = material_->dimensionText(0);
    const std::u16string b = material_->dimensionText(equal ? 0 : 1);
    if (const std::optional<AngleRadiiTexts> r = angleRadiiTexts(own->shape, a, b, separator_)) {
        const int root = static_cast<int>(own->dimensionCaptions.size()) - 2;
        material_->setDimensionText(root, r->root);
        material_->setDimensionText(root + 1, r->toe);
    }
}

} // namespace tarvik
