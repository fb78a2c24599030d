#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Полоса ГОСТ 103-76",
};

} // namespace

extern const Family flatStrip{
    .header = u"Полоса",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::TwoPickers,
    .firstLevelCaption = u"Толщина, мм",
    .secondLevelCaption = u"Ширина, мм",
};

} // namespace tarvik::catalogue
