// I-beams, reckoned by length. A size is a beam number, in some series followed by a
// Cyrillic series letter and a series digit; the texts are shown exactly as written.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Балка ГОСТ 8239",         u"Балка колонная",           u"Балка монорельсовая",
    u"Балка низколегированная", u"Балка обычная ГОСТ 26020", u"Балка нормальная СТО АСЧМ",
    u"Балка широкополочная",
};

// The ordinary series is the first kind's nine numbers with "50" added; the first kind
// reads a nine-row view of the same arrays.
constexpr Text ordinarySizes[] = {u"10", u"12", u"14", u"16", u"18", u"20", u"30", u"36", u"45", u"50"};
constexpr double ordinaryMasses[] = {9.46, 11.5, 13.7, 15.9, 18.4, 21, 36.5, 48.6, 66.5, 78.5};
constexpr Text columnSizes[] = {u"20К1", u"20К2", u"25К1", u"25К2", u"30К1",
                                u"30К2", u"35К1", u"35К2", u"40К1", u"40К2"};
constexpr double columnMasses[] = {41.5, 46.9, 62.6, 72.4, 87, 94, 109.1, 136.5, 146.6, 171.7};
constexpr Text monorailSizes[] = {u"18М", u"24М", u"30М", u"36М", u"45М"};
constexpr double monorailMasses[] = {
    // Listed as 38.3, the larger 24М's mass; the 18М section's 32.8 cm² of steel weigh 25.8 kg/m.
    25.8, 38.3, 50.2, 57.9, 77.6};
constexpr Text lowAlloySizes[] = {u"20", u"22", u"24", u"27", u"30"};
constexpr double lowAlloyMasses[] = {21, 24, 27.3, 31.5, 36.5};
constexpr Text normalSizes[] = {u"20 Б1", u"25 Б1", u"25 Б2", u"30 Б1", u"30 Б2", u"35 Б1",
                                u"35 Б2", u"40 Б1", u"40 Б2", u"45 Б1", u"45 Б2", u"50 Б1",
                                u"50 Б2", u"55 Б2", u"60 Б1", u"60 Б2"};
constexpr double normalMasses[] = {
    22.4, 25.7, 29.6, 32,
    // "30 Б2": listed as 46.78, the section's area in cm²; 46.78 cm² of steel weigh 36.7 kg/m.
    36.7, 41.4, 49.6, 56.6, 66, 66.2, 76, 72.5, 79.5, 97.9, 94.6, 105.5};
constexpr Text wideFlangeSizes[] = {u"20Ш1", u"25Ш1", u"30Ш1", u"30Ш2", u"35Ш1",
                                    u"35Ш2", u"40Ш1", u"40Ш2", u"45Ш1", u"50Ш1"};
constexpr double wideFlangeMasses[] = {30.6, 44.1, 56.8, 68.6, 65.3, 79.7, 88.6, 106.7, 123.5, 114.2};

constexpr KindTable tables[] = {
    {std::span(ordinarySizes).first<9>(), std::span(ordinaryMasses).first<9>()},
    {columnSizes, columnMasses},
    {monorailSizes, monorailMasses},
    {lowAlloySizes, lowAlloyMasses},
    {ordinarySizes, ordinaryMasses},
    {normalSizes, normalMasses},
    {wideFlangeSizes, wideFlangeMasses},
};

} // namespace

extern const Family beams{
    .header = u"Балка двутавровая",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Номер балки",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
    .steelOnly = true,
};

} // namespace tarvik::catalogue
