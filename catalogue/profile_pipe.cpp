// Profile pipe, reckoned by length; a size is picked as a section, then a wall.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Труба квадратного сечения",
    u"Труба прямоугольного сечения",
};

// Sizes are side x side x wall in mm. The first picker offers whole sections ("40x25"), which
// cutting a size at its first "x" would not give, so each kind lists its sections itself.
constexpr Text squareSizes[] = {
    u"20x20x1.5", u"20x20x2",   u"25x25x1.5", u"30x30x1.5", u"40x40x1.5", u"40x40x2",   u"40x40x2.5",
    u"40x40x5",   u"50x50x2",   u"50x50x3",   u"50x50x4",   u"60x60x3",   u"60x60x4",   u"80x80x3",
    u"80x80x3.5", u"80x80x4",   u"80x80x5",   u"80x80x6",   u"100x100x3", u"100x100x4", u"100x100x5",
    u"100x100x6", u"140x140x5", u"160x160x4", u"160x160x5", u"160x160x6", u"160x160x8", u"200x200x8"};
constexpr double squareMasses[] = {0.84,  1.08,  1.07,  1.4,   1.85,  2.33,  2.85,  5.16,  3.1,  4.31,
                                   5.56,  5.18,  6.82,  7.1,   8.41,  9.28,  11.3,  13.46, 8.96, 11.73,
                                   14.41, 17.22, 20.69, 19.27, 23.83, 28.29, 36.46, 46.51};
constexpr Text squareSections[] = {u"20x20", u"25x25",   u"30x30",   u"40x40",   u"50x50",  u"60x60",
                                   u"80x80", u"100x100", u"140x140", u"160x160", u"200x200"};
constexpr Text rectangularSizes[] = {u"28x25x1.2", u"28x25x1.5", u"28x25x2",   u"40x20x2",   u"40x25x1.5",
                                     u"40x25x2",   u"40x25x2.5", u"50x20x3",   u"50x25x1.5", u"50x25x2",
                                     u"50x25x2.5", u"60x30x2",   u"60x30x2.5", u"60x30x3",   u"60x40x2",
                                     u"60x40x2.5", u"60x40x3",   u"60x40x4",   u"80x40x2",   u"80x40x3",
                                     u"80x40x3.5", u"80x40x4",   u"80x60x5",   u"100x50x3",  u"100x50x4",
                                     u"100x60x4",  u"120x60x4",  u"120x80x6",  u"180x140x6"};
constexpr double rectangularMasses[] = {
    // Listed as 1.13, barely below the 1.5 mm wall. The rounded-corner section gives 0.93 and the
    // thin walls of this kind sit above it; 0.95 is the square-cornered outline, the most it can weigh.
    0.95, 1.24, 1.63, 1.7, 1.55, 1.86, 2.27,
    // Listed as 2.4, below the wider, thinner 50x25x2.5; rounded corners, 0.0157·s·(A+B−2.86·s): 2.89.
    2.89, 1.78, 2.17, 2.66, 2.79, 3.25, 3.83, 3.1, 3.86, 4.3, 5.56, 3.72, 5.25, 6.04, 6.82, 9.87,
    // Listed as 8.1, only 0.6 below 4 mm; rounded corners, 0.0157·s·(A+B−2.86·s), as 100x50x4 is: 6.66.
    6.66, 8.7, 9.22, 10.48, 17.71, 28.29};
// Of two sections with the same first side the wider second side is offered first, though
// the size list has the narrower first.
constexpr Text rectangularSections[] = {u"28x25",  u"40x25",  u"40x20",  u"50x25",  u"50x20",
                                        u"60x40",  u"60x30",  u"80x60",  u"80x40",  u"100x60",
                                        u"100x50", u"120x60", u"120x80", u"180x140"};

constexpr KindTable tables[] = {
    {.sizes = squareSizes, .unitMasses = squareMasses, .firstLevel = squareSections},
    {.sizes = rectangularSizes, .unitMasses = rectangularMasses, .firstLevel = rectangularSections},
};

} // namespace

extern const Family profilePipe{
    .header = u"Труба профильная",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::TwoPickers,
    .firstLevelCaption = u"Размер",
    .secondLevelCaption = u"Толщина трубы, мм",
};

} // namespace tarvik::catalogue
