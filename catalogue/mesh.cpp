#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Сетка плетеная",
    u"Сетка сварная",
};

} // namespace

extern const Family mesh{
    .header = u"Сетка",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Area,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Размер",
    .sizeCaptionStep = SizeCaptionStep::AfterListEmptied,
};

} // namespace tarvik::catalogue
