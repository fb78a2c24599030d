#include "web/calculator/dom_material.h"

#include "web/bridge.h"

#include "catalogue/own_sections.h"

#include <string>

namespace tarvik::web {
namespace {

PageCall page(const char* method)
{
    return PageCall(Partner::Page, method);
}

// One text for a whole list: the page splits it at the line breaks, which
// no name holds.
template <typename Texts> std::u16string joined(const Texts& texts)
{
    std::u16string all;
    for (std::u16string_view t : texts) {
        if (!all.empty())
            all += u'\n';
        all += t;
    }
    return all;
}

void setOptions(int list, const std::u16string& texts, int index)
{
    page("setOptions").arg(list).arg(texts).arg(index).run();
}

constexpr int density = 0;

} // namespace

void DomMaterial::picked(int list, int index)
{
    if (list >= 0 && list < static_cast<int>(indices_.size()))
        indices_[static_cast<std::size_t>(list)] = index;
}

void DomMaterial::setGradeItems(GradeList list, std::span<const std::u16string_view> texts, int index)
{
    const int which = list == GradeList::Metal ? 0 : 1;
    indices_[static_cast<std::size_t>(which)] = index;
    setOptions(which, joined(texts), index);
}

int DomMaterial::gradeIndex(GradeList list) const
{
    return indices_[list == GradeList::Metal ? 0 : 1];
}

void DomMaterial::setGradeChoiceEnabled(bool enabled)
{
    page("setGradeChoiceEnabled").arg(enabled).run();
}

std::u16string DomMaterial::densityText() const
{
    return page("fieldText").arg(density).text();
}

void DomMaterial::setDensityText(std::u16string_view text)
{
    page("setFieldText").arg(density).arg(text).run();
}

int DomMaterial::densityCaret() const
{
    return page("fieldCaret").arg(density).run();
}

int DomMaterial::densitySelectionEnd() const
{
    return page("fieldSelectionEnd").arg(density).run();
}

void DomMaterial::showDensityHint(std::u16string_view reason)
{
    page("showFieldHint").arg(density).arg(reason).arg(false).run();
}

void DomMaterial::setBasisText(std::u16string_view text)
{
    page("setBasisText").arg(text).run();
}

void DomMaterial::setDimensionFields(std::span<const std::u16string_view> captions)
{
    page("setDimensionFields").arg(joined(captions)).run();
}

std::u16string DomMaterial::dimensionText(int field) const
{
    return page("fieldText").arg(field + 1).text();
}

void DomMaterial::setDimensionText(int field, std::u16string_view text)
{
    page("setFieldText").arg(field + 1).arg(text).run();
}

int DomMaterial::dimensionCaret(int field) const
{
    return page("fieldCaret").arg(field + 1).run();
}

int DomMaterial::dimensionSelectionEnd(int field) const
{
    return page("fieldSelectionEnd").arg(field + 1).run();
}

void DomMaterial::showDimensionHint(int field, std::u16string_view reason, bool focus)
{
    // A reason from «Расчитать» stays (and takes the focus there) until the
    // field changes; a refused key's goes after a few seconds.
    page("showFieldHint").arg(field < 0 ? -1 : field + 1).arg(reason).arg(focus).run();
}

void DomMaterial::setRadiusStandardVisible(bool visible)
{
    page("setRadiusStandardVisible").arg(visible).run();
}

void DomMaterial::showStandards()
{
    std::u16string names;
    for (const catalogue::RadiusStandard& standard : catalogue::profileRadiusStandards) {
        if (!names.empty())
            names += u'\n';
        names += standard.name;
    }
    setOptions(2, names, indices_[2]);
}

} // namespace tarvik::web
