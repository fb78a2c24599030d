#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Квадрат ГОСТ 2591",
};

} // namespace

extern const Family squareBar{
    .header = u"Квадрат",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Сторона, мм",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
