#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Швеллер горячекатаный",
    u"Швеллер гнутый",
};

} // namespace

extern const Family channels{
    .header = u"Швеллер",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Номер швеллера",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
