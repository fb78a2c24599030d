#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Профнастил оцинкованный",
    u"Профнастил с пол. покрытием",
};

} // namespace

extern const Family profiledSheet{
    .header = u"Профнастил",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Area,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Толщина, мм",
    .sizeCaptionStep = SizeCaptionStep::AfterListEmptied,
};

} // namespace tarvik::catalogue
