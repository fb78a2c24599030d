// Channels, reckoned by length.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Швеллер горячекатаный",
    u"Швеллер гнутый",
};

// Hot-rolled channels go by number ("16п" is the parallel-flange 16); bent channels by
// height x width x thickness, joined by the Cyrillic "х".
constexpr Text hotRolledSizes[] = {u"5",  u"6,5", u"8",  u"10", u"12", u"14", u"16", u"16п",
                                   u"18", u"20",  u"22", u"24", u"27", u"30", u"40"};
constexpr double hotRolledMasses[] = {4.84, 5.9,  7.05, 8.59, 10.4, 12.3, 14.2, 14.2,
                                      16.3, 18.4, 21,   24,   27.7, 31.8, 48.3};
constexpr Text bentSizes[] = {u"50х40х3",   u"60х32х2,5", u"60х32х4",  u"80х25х4",  u"80х32х4",
                              u"80х60х4",   u"100х50х3",  u"100х50х4", u"100х80х4", u"100х80х5",
                              u"120х60х4",  u"120х60х5",  u"140х60х5", u"160х80х4", u"180х80х5",
                              u"200х100х6", u"200х80х6",  u"250х125х6"};
constexpr double bentMasses[] = {2.81, 2.26, 3.43, 3.61, 4.05, 5.81,  4.47,  5.81,  7.7,
                                 9.49, 7.07, 8.71, 9.49, 9.58, 12.68, 17.79, 15.91, 22.5};

constexpr KindTable tables[] = {
    {hotRolledSizes, hotRolledMasses},
    {bentSizes, bentMasses},
};

} // namespace

extern const Family channels{
    .header = u"Швеллер",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Номер швеллера",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
    .steelOnly = true,
};

} // namespace tarvik::catalogue
