#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Балка ГОСТ 8239",
    u"Балка колонная",
    u"Балка монорельсовая",
    u"Балка низколегированная",
    u"Балка обычная ГОСТ 26020",
    u"Балка нормальная СТО АСЧМ",
    u"Балка широкополочная",
};

} // namespace

extern const Family beams{
    .header = u"Балка двутавровая",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Номер балки",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
