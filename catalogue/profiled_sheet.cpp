// Profiled sheeting, reckoned by area. A size is a profile designation ending in the sheet
// thickness; the leading letter is Cyrillic.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Профнастил оцинкованный",
    u"Профнастил с пол. покрытием",
};

constexpr Text sheetingSizes[] = {
    u"С10-1100-0,5", u"С10-1100-0,55", u"С10-1100-0,7", u"С10-1100-0,8",  u"С21-1000-0,5", u"С21-1000-0,55",
    u"С21-1000-0,7", u"С21-1000-0,8",  u"С44-1000-0,5", u"С44-1000-0,55", u"С44-1000-0,7", u"С44-1000-0,8",
    u"Н57-750-0,7",  u"Н57-750-0,8",   u"Н60-750-0,7",  u"Н60-750-0,8",   u"Н75-750-0,7",  u"Н75-750-0,8"};
constexpr double sheetingMasses[] = {4.909, 5.4, 6.727, 7.645, 5.4,   5.919, 7.4,   8.41,  5.4,
                                     5.919, 7.4, 8.41,  8.683, 9.868, 8.757, 9.953, 9.867, 11.213};

// Galvanised and coated sheeting come in the same profiles and weigh the same.
constexpr KindTable sheeting{sheetingSizes, sheetingMasses};
constexpr KindTable tables[] = {
    sheeting,
    sheeting,
};

} // namespace

extern const Family profiledSheet{
    .header = u"Профнастил",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Area,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Толщина, мм",
    .sizeCaptionStep = SizeCaptionStep::AfterListEmptied,
    .steelOnly = true,
};

} // namespace tarvik::catalogue
