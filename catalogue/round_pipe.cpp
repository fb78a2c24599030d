#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Труба водогазопроводная",
    u"Труба бесшовная Х/К",
    u"Труба бесшовная Г/К",
    u"Труба электросварная",
    u"Труба оцинкованная Э/С",
};

} // namespace

extern const Family roundPipe{
    .header = u"Труба круглая",
    .kinds = kinds,
    .tables = {},
    .textSet = TextSet::Length,
    .controls = SizeControls::TwoPickers,
    .firstLevelCaption = u"Диаметр трубы, мм",
    .secondLevelCaption = u"Толщина стенки, мм",
};

} // namespace tarvik::catalogue
