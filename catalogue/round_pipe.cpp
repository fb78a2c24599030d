// Round pipe, reckoned by length; a size is picked as a diameter, then a wall.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Труба водогазопроводная", u"Труба бесшовная Х/К",    u"Труба бесшовная Г/К",
    u"Труба электросварная",    u"Труба оцинкованная Э/С",
};

// Sizes are diameter x wall in mm, joined by the Latin "x" at which the pickers split them,
// and kept in the catalogue's order, which is not numeric throughout ("89x10" before
// "89x3.5").
constexpr Text waterGasSizes[] = {u"15x2.5", u"15x2.8", u"20x2.8", u"25x3.2", u"32x3.2", u"40x3",
                                  u"40x3.5", u"50x3.5", u"65x4",   u"80x4",   u"100x4.5"};
constexpr double waterGasMasses[] = {1.16, 1.28, 1.5, 2.39, 3.09, 3.33, 3.84, 4.88, 7.05, 8.34, 13.44};
// The catalogue's cold-formed masses do not follow the sizes. A seamless pipe weighs the same
// however it was formed: these are the hot-formed list's values, and for the three sizes
// that list lacks (36x4, 70x5, 95x8) π·(D − s)·s at 7850 kg/m³, to two decimals.
constexpr Text coldFormedSizes[] = {
    u"25x2.8", u"25x3.2", u"32x2.8", u"32x3",  u"32x4",  u"36x4",  u"38x3",  u"42x3",   u"42x4", u"45x3.5",
    u"45x4",   u"57x3.5", u"57x4",   u"57x5",  u"57x6",  u"60x4",  u"60x5",  u"68x4",   u"70x5", u"73x5",
    u"76x3.5", u"76x4",   u"76x5",   u"76x6",  u"76x8",  u"83x4",  u"89x10", u"89x3.5", u"89x4", u"89x5",
    u"89x6",   u"89x8",   u"95x8",   u"102x4", u"102x5", u"102x6", u"102x8"};
constexpr double coldFormedMasses[] = {1.53,  1.72,  2.02,  2.15,  2.76,  3.16,  2.59,  2.89, 3.75, 3.58,
                                       4.04,  4.62,  5.23,  6.41,  7.55,  5.52,  6.78,  6.31, 8.01, 8.39,
                                       6.26,  7.1,   8.76,  10.36, 13.42, 7.79,  19.48, 7.38, 8.39, 10.36,
                                       12.28, 15.98, 17.16, 9.67,  11.96, 14.21, 18.55};
constexpr Text hotFormedSizes[] = {
    u"20x2.5",  u"20x2.8", u"25x2.8", u"25x3.2", u"32x2.8", u"32x3",   u"32x4",   u"35x4",   u"38x3",
    u"42x3",    u"42x4",   u"45x3.5", u"45x4",   u"57x3.5", u"57x4",   u"57x5",   u"57x6",   u"60x4",
    u"60x5",    u"68x4",   u"70x3",   u"73x5",   u"76x3.5", u"76x4",   u"76x5",   u"76x6",   u"76x8",
    u"83x4",    u"89x3.5", u"89x4",   u"89x5",   u"89x6",   u"89x8",   u"89x10",  u"95x7",   u"102x4",
    u"102x5",   u"102x6",  u"102x8",  u"108x4",  u"108x5",  u"108x6",  u"108x8",  u"108x10", u"114x4",
    u"114x4.5", u"114x5",  u"114x6",  u"114x8",  u"114x10", u"121x6",  u"127x5",  u"133x5",  u"133x6",
    u"140x7",   u"146x5",  u"146x6",  u"146x10", u"159x5",  u"159x6",  u"159x7",  u"159x8",  u"159x10",
    u"168x6",   u"168x7",  u"168x8",  u"168x10", u"168x20", u"180x9",  u"180x10", u"194x6",  u"194x7",
    u"219x6",   u"219x7",  u"219x8",  u"219x10", u"219x20", u"245x12", u"273x8",  u"273x9",  u"273x10",
    u"325x8",   u"325x9",  u"325x10", u"325x14", u"377x9",  u"377x10", u"426x9",  u"426x10", u"426x12",
    u"426x16"};
constexpr double hotFormedMasses[] = {
    1.08,  1.19,  1.53,  1.72,  2.02,  2.15,  2.76,   3.06,  2.59,  2.89,  3.75,   3.58,   4.04,
    4.62,  5.23,  6.41,  7.55,  5.52,  6.78,  6.31,   4.96,  8.39,  6.26,  7.1,    8.76,   10.36,
    13.42, 7.79,  7.38,  8.39,  10.36, 12.28, 15.98,  19.48, 15.19, 9.67,  11.96,  14.21,  18.55,
    10.26, 12.7,  15.09, 19.73, 24.17, 10.85, 12.15,  13.44, 15.98, 20.91, 25.65,  17.02,  15.04,
    15.78, 18.79, 22.96, 17.39, 20.72, 33.54, 18.99,  22.64, 26.24, 29.79, 36.75,  23.97,  27.79,
    31.57, 38.97, 73,    37.95, 41.93, 27.82, 32.28,  31.52, 36.6,  41.63, 51.54,  98.15,  68.95,
    52.28, 58.6,  64.86, 62.54, 70.14, 77.68, 107.38, 81.68, 90.51, 92.56, 102.59, 122.52, 161.78};
constexpr Text weldedSizes[] = {
    u"12x1.5", u"15x2.5",  u"15x2.8",  u"16x1",    u"16x1.5", u"18x1",    u"18x1.2", u"18x1.5",  u"19x1.2",
    u"19x1.5", u"20x1.2",  u"20x2.5",  u"20x2.8",  u"22x1.2", u"22x1.5",  u"25x1",   u"25x1.2",  u"25x1.5",
    u"25x2",   u"25x3.2",  u"28x1.5",  u"30x1.2",  u"30x1.5", u"30x2",    u"32x1.2", u"32x1.5",  u"32x2",
    u"32x2.8", u"32x3.2",  u"35x1.5",  u"35x3.2",  u"38x1.5", u"40x1.2",  u"40x1.5", u"40x2.5",  u"40x3.5",
    u"42x1.5", u"45x1.5",  u"45x2",    u"48x1.5",  u"48x2",   u"48x3",    u"50x2.5", u"50x3",    u"50x3.5",
    u"51x1.5", u"51x2",    u"51x2.5",  u"57x2.5",  u"57x3",   u"57x3.5",  u"57x4",   u"60x2",    u"60x3",
    u"76x2.5", u"76x3",    u"76x3.2",  u"76x3.5",  u"76x4",   u"89x2",    u"89x3",   u"89x3.5",  u"89x4",
    u"102x3",  u"102x3.5", u"102x4",   u"108x3.5", u"108x4",  u"108x5",   u"114x4",  u"114x4.5", u"114x5",
    u"121x12", u"121x14",  u"127x4.5", u"133x4.5", u"140x4",  u"159x4.5", u"159x5",  u"219x5",   u"219x6",
    u"219x8",  u"530x7",   u"530x8"};
constexpr double weldedMasses[] = {
    0.37,  0.77,  0.78,  0.37,  0.54,  0.42,  0.5,   0.61,  0.53,  0.65,  0.56,  1.08,  1.1,   0.62,
    0.76,  0.59,  0.7,   0.87,  1.13,  1.63,  0.98,  0.85,  1.05,  1.38,  0.91,  1.13,  1.48,  2.02,
    2.15,  1.24,  2.38,  1.35,  1.15,  1.42,  2.19,  3.15,  1.5,   1.61,  2.02,  1.72,  2.27,  3.33,
    2.93,  3.48,  4.01,  1.83,  2.42,  2.99,  3.36,  4,     4.62,  5,     2.86,  4.22,  4.53,  5.4,
    5.74,  6.26,  7.1,   4.29,  6.36,  7.38,  8.38,  7.32,  8.5,   9.67,  9.02,  10.26, 12.7,  10.85,
    12.15, 13.44, 32.26, 36.94, 13.56, 14.26, 13.42, 17.15, 18.99, 26.39, 31.52, 41.6,  90.29, 102.99};
constexpr Text galvanisedSizes[] = {u"15x2.8",  u"20x2.8", u"25x3.2",  u"32x3.2",  u"40x2.5",
                                    u"40x3.5",  u"50x3.5", u"57x3.5",  u"60x3.5",  u"76x3.5",
                                    u"76x4",    u"80x4",   u"89x3.5",  u"89x4",    u"100x5",
                                    u"108x3.5", u"108x4",  u"127x4.5", u"133x4.5", u"159x4.5"};
constexpr double galvanisedMasses[] = {
    0.84, 1.19, 1.72, 2.27, 2.31, 3.15, 4.01, 4.62, 4.88, 6.26, 7.1, 7.5, 7.38, 8.39, 11.71,
    // Listed as 10.1, almost the 4 mm wall's mass; π·(108 − 3.5)·3.5 mm² at 7850 kg/m³ is 9.02.
    9.02, 10.26, 13.6, 14.26, 17.15};

constexpr KindTable tables[] = {
    {waterGasSizes, waterGasMasses}, {coldFormedSizes, coldFormedMasses}, {hotFormedSizes, hotFormedMasses},
    {weldedSizes, weldedMasses},     {galvanisedSizes, galvanisedMasses},
};

} // namespace

extern const Family roundPipe{
    .header = u"Труба круглая",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::TwoPickers,
    .firstLevelCaption = u"Диаметр трубы, мм",
    .secondLevelCaption = u"Толщина стенки, мм",
};

} // namespace tarvik::catalogue
