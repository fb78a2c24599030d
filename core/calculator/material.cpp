// The metal, its grade and a density of one's own: what a calculation takes
// them from, and the basis line that says so beside the result.

#include "calculator/calculator.h"

#include "catalogue/family.h"
#include "catalogue/grades.h"
#include "number/count_text.h"
#include "number/double_text.h"
#include "text/captions.h"

#include <vector>

namespace tarvik {
namespace {

using catalogue::metals;

constexpr char16_t settingSeparator = u'\t';
constexpr char16_t backspace = 8;
// "25000" has five digits; a sixth can only leave the range.
constexpr std::size_t densityDigits = 5;

std::vector<std::u16string_view> metalNames()
{
    std::vector<std::u16string_view> names;
    for (const catalogue::Metal& metal : metals)
        names.push_back(metal.name);
    return names;
}

std::vector<std::u16string_view> gradeNames(std::size_t metal)
{
    std::vector<std::u16string_view> names;
    for (const catalogue::Grade& grade : metals[metal].grades)
        names.push_back(grade.name);
    return names;
}

// "{}" replaced in order.
std::u16string filled(std::u16string_view pattern, std::initializer_list<std::u16string_view> parts)
{
    std::u16string out;
    auto part = parts.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.substr(i, 2) == u"{}" && part != parts.end()) {
            out += *part++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace

void Calculator::attachMaterial(MaterialWindow& material)
{
    material_ = &material;
    metal_ = 0;
    grade_ = 0;
    const std::vector<std::u16string_view> names = metalNames();
    material_->setGradeItems(GradeList::Metal, names, 0);
    material_->setGradeItems(GradeList::Grade, gradeNames(0), 0);
    material_->setRadiusStandardVisible(false);
    material_->setDimensionFields({});
}

bool Calculator::gradeChoiceOffered() const
{
    if (section_ == ownSection)
        return true;
    return section_ > 0 && !catalogue::families[static_cast<std::size_t>(section_ - 1)]->steelOnly;
}

void Calculator::showGradeChoice()
{
    if (!material_)
        return;
    const bool offered = section_ == 0 || gradeChoiceOffered();
    if (offered) {
        material_->setGradeItems(GradeList::Metal, metalNames(), static_cast<int>(metal_));
        material_->setGradeItems(GradeList::Grade, gradeNames(metal_), static_cast<int>(grade_));
    } else {
        // The choice itself stays for the next product that takes it.
        material_->setGradeItems(GradeList::Metal, metalNames(), 0);
        const std::u16string_view steel[] = {caption(Caption::SteelOnly)};
        material_->setGradeItems(GradeList::Grade, steel, 0);
    }
    material_->setGradeChoiceEnabled(offered);
}

void Calculator::metalChange()
{
    if (!material_)
        return;
    const int metal = material_->gradeIndex(GradeList::Metal);
    if (metal < 0 || static_cast<std::size_t>(metal) >= metals.size())
        return;
    metal_ = static_cast<std::size_t>(metal);
    grade_ = 0;
    material_->setGradeItems(GradeList::Grade, gradeNames(metal_), 0);
    markResultOutOfDate();
}

void Calculator::gradeChange()
{
    if (!material_)
        return;
    const int grade = material_->gradeIndex(GradeList::Grade);
    if (grade < 0 || static_cast<std::size_t>(grade) >= metals[metal_].grades.size())
        return;
    grade_ = static_cast<std::size_t>(grade);
    markResultOutOfDate();
}

KeyVerdict Calculator::densityKeyPress(char16_t key)
{
    if (!material_)
        return {};
    if (key == backspace)
        return {std::u16string(1, key), {}};
    if (key < 0x20 || key == 0x7F)
        return {};
    KeyVerdict verdict;
    if (key < u'0' || key > u'9') {
        verdict.reason = caption(Caption::DensityDigitsOnly);
    } else {
        const std::u16string text = material_->densityText();
        const auto start = static_cast<std::size_t>(std::max(0, material_->densityCaret()));
        const auto end = static_cast<std::size_t>(std::max(0, material_->densitySelectionEnd()));
        const std::size_t replaced = (end > start ? end - start : start - end);
        if (text.size() - std::min(replaced, text.size()) >= densityDigits)
            verdict.reason = caption(Caption::DensityOutOfRange);
        else
            verdict.inserted = std::u16string(1, key);
    }
    if (!verdict.reason.empty())
        material_->showDensityHint(verdict.reason);
    return verdict;
}

void Calculator::densityChange()
{
    markResultOutOfDate();
}

std::optional<int> Calculator::densityInUse() const
{
    const catalogue::Grade& grade = metals[metal_].grades[grade_];
    if (!material_)
        return catalogue::steelDensity;
    const std::u16string typed = material_->densityText();
    if (typed.empty())
        return grade.density;
    int value = 0;
    for (char16_t c : typed) {
        if (c < u'0' || c > u'9' || value > catalogue::highestDensity)
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (value < catalogue::lowestDensity || value > catalogue::highestDensity)
        return std::nullopt;
    return value;
}

std::u16string Calculator::basisText(double unitMass, bool perArea) const
{
    const bool offered = gradeChoiceOffered();
    const bool typed = offered && material_ && !material_->densityText().empty();
    const std::u16string_view name = !offered ? caption(Caption::SteelOnly)
                                     : typed  ? caption(Caption::OwnDensityBasis)
                                              : metals[metal_].grades[grade_].name;
    const int density = offered ? densityInUse().value_or(catalogue::steelDensity) : catalogue::steelDensity;
    return filled(caption(perArea ? Caption::BasisArea : Caption::BasisLength),
                  {doubleText(unitMass, separator_), name, countText(static_cast<std::size_t>(density))});
}

std::u16string Calculator::materialSetting() const
{
    std::u16string setting(metals[metal_].name);
    setting += settingSeparator;
    setting += metals[metal_].grades[grade_].name;
    setting += settingSeparator;
    if (material_)
        setting += material_->densityText();
    return setting;
}

void Calculator::restoreMaterial(std::u16string_view setting)
{
    if (!material_)
        return;
    const auto first = setting.find(settingSeparator);
    const auto second =
        first == std::u16string_view::npos ? first : setting.find(settingSeparator, first + 1);
    metal_ = 0;
    grade_ = 0;
    if (second != std::u16string_view::npos) {
        const std::u16string_view metalName = setting.substr(0, first);
        const std::u16string_view gradeName = setting.substr(first + 1, second - first - 1);
        for (std::size_t m = 0; m < metals.size(); ++m) {
            for (std::size_t g = 0; g < metals[m].grades.size(); ++g) {
                if (metals[m].name == metalName && metals[m].grades[g].name == gradeName) {
                    metal_ = m;
                    grade_ = g;
                }
            }
        }
        // Only what the field could have been typed to.
        std::u16string density(setting.substr(second + 1));
        const bool digits = density.size() <= densityDigits &&
                            density.find_first_not_of(u"0123456789") == std::u16string::npos;
        material_->setDensityText(digits ? density : u"");
    }
    showGradeChoice();
}

} // namespace tarvik
