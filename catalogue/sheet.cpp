// Sheet, reckoned by area. Each kind brings its own size caption: thicknesses for rolled
// sheet, size designations for expanded sheet.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Лист горячекатаный",
    u"Лист просечно-вытяжной",
    u"Лист холоднокатаный",
};

constexpr Text hotRolledSizes[] = {u"1,5", u"2",  u"2,5", u"3",  u"3,5", u"4",  u"6",  u"8",
                                   u"10",  u"12", u"14",  u"16", u"18",  u"20", u"22", u"25",
                                   u"30",  u"45", u"50",  u"60", u"80",  u"100"};
constexpr double hotRolledMasses[] = {
    11.77, 15.7, 19.62, 23.55, 27.47, 31.4, 47.1, 62.8, 78.5, 94.2, 109.9, 125.6, 141.3, 157, 172.7, 196.25,
    235.5,
    // Listed as 529.88, above the thicker 50 and 60; 45 mm at 7.85 kg/m² per mm is 353.25.
    353.25, 392.5, 471, 628, 785};
constexpr Text expandedSizes[] = {u"306", u"308", u"406", u"408", u"410",
                                  u"506", u"510", u"606", u"608", u"610"};
constexpr double expandedMasses[] = {12.19, 14.63, 15.7, 19.24, 21.08, 20.29, 26.4, 20.66, 20.3, 29.16};
// The catalogue's cold-rolled masses do not follow the thicknesses (1,5 and 1,8 alike, the
// shared thicknesses heavier than hot-rolled). Steel sheet weighs 7.85 kg/m² per mm of
// thickness whatever the rolling; cut to two decimals as the hot-rolled list writes it.
constexpr Text coldRolledSizes[] = {u"0,5", u"0,6", u"0,7", u"0,8", u"1",   u"1,2",
                                    u"1,4", u"1,5", u"1,8", u"2",   u"2,5", u"3"};
constexpr double coldRolledMasses[] = {3.92,  4.71,  5.49,  6.28, 7.85,  9.42,
                                       10.99, 11.77, 14.13, 15.7, 19.62, 23.55};

constexpr KindTable tables[] = {
    {.sizes = hotRolledSizes, .unitMasses = hotRolledMasses, .sizeCaption = u"Толщина листа, мм"},
    {.sizes = expandedSizes, .unitMasses = expandedMasses, .sizeCaption = u"Размер"},
    {.sizes = coldRolledSizes, .unitMasses = coldRolledMasses, .sizeCaption = u"Толщина листа, мм"},
};

} // namespace

extern const Family sheet{
    .header = u"Лист",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Area,
    .controls = SizeControls::SingleList,
    .sizeCaptionStep = SizeCaptionStep::PerKind,
};

} // namespace tarvik::catalogue
