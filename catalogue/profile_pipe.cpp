#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Труба квадратного сечения",
    u"Труба прямоугольного сечения",
};

} // namespace

extern const Family profilePipe{
    .header = u"Труба профильная",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::TwoPickers,
    .firstLevelCaption = u"Размер",
    .secondLevelCaption = u"Толщина трубы, мм",
};

} // namespace tarvik::catalogue
