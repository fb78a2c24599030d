// Angles, reckoned by length.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Уголок равнополочный",
    u"Уголок неравнополочный",
};

// Sizes join the dimensions with the Cyrillic "х". For the legs 100, 125 and 140 the catalogue
// keeps the thicknesses in text order ("100х10" before "100х7"); each text keeps its own mass.
constexpr Text equalLegSizes[] = {u"25х4",   u"32х4",   u"35х4",   u"40х4",   u"40х5",   u"45х4",   u"45х5",
                                  u"50х4",   u"50х5",   u"56х5",   u"63х5",   u"63х6",   u"70х5",   u"70х6",
                                  u"75х5",   u"75х6",   u"75х8",   u"80х6",   u"80х7",   u"80х8",   u"90х6",
                                  u"90х7",   u"90х8",   u"90х9",   u"100х10", u"100х12", u"100х7",  u"100х8",
                                  u"110х7",  u"110х8",  u"125х10", u"125х12", u"125х8",  u"125х9",  u"140х10",
                                  u"140х12", u"140х9",  u"160х10", u"160х12", u"160х14", u"160х16", u"180х11",
                                  u"180х12", u"200х12", u"200х14", u"200х16", u"200х20"};
constexpr double equalLegMasses[] = {1.46,  1.91,  2.1,   2.42,  2.98,  2.73,  3.37,  3.05,  3.77,  4.25,
                                     4.81,  5.72,  5.38,  6.39,  5.8,   6.89,  9.02,  7.36,  8.51,  9.65,
                                     8.33,  9.64,  10.93, 12.2,  15.1,  17.9,  10.79, 12.25, 11.89, 13.5,
                                     19.1,  22.68, 15.46, 17.3,  21.45, 25.5,  19.41, 24.67, 29.35, 34.2,
                                     38.52, 30.47, 33.12, 36.97, 42.8,  48.65, 60.08};
constexpr Text unequalLegSizes[] = {u"56х36х4",  u"63х40х6",  u"75х50х5",  u"75х50х6",
                                    u"100х63х6", u"100х63х8", u"125х80х8", u"160х100х10"};
constexpr double unequalLegMasses[] = {2.81, 4.63, 4.79, 5.69, 7.53, 9.87, 12.58, 19.85};

constexpr KindTable tables[] = {
    {equalLegSizes, equalLegMasses},
    {unequalLegSizes, unequalLegMasses},
};

} // namespace

extern const Family angles{
    .header = u"Уголок",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Размер",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
