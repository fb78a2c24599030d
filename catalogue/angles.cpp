#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Уголок равнополочный",
    u"Уголок неравнополочный",
};

} // namespace

extern const Family angles{
    .header = u"Уголок",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Размер",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
