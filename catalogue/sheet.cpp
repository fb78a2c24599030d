#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Лист горячекатаный",
    u"Лист просечно-вытяжной",
    u"Лист холоднокатаный",
};

} // namespace

extern const Family sheet{
    .header = u"Лист",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Area,
    .controls = SizeControls::SingleList,
    .sizeCaptionStep = SizeCaptionStep::PerKind,
};

} // namespace tarvik::catalogue
