#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Круг ГОСТ 2590",
};

} // namespace

extern const Family roundBar{
    .header = u"Круг",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Диаметр, мм",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
