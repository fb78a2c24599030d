// Square bar, reckoned by length; a size is the side of the square section in mm.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Квадрат ГОСТ 2591",
};

constexpr Text squareSizes[] = {u"10", u"12", u"14", u"16", u"18", u"20",
                                u"22", u"25", u"30", u"40", u"50", u"60"};
constexpr double squareMasses[] = {0.79, 1.13, 1.54, 2.01, 2.54, 3.14, 3.8, 4.91, 7.06, 12.56, 19.62, 28.26};

constexpr KindTable tables[] = {
    {squareSizes, squareMasses},
};

} // namespace

extern const Family squareBar{
    .header = u"Квадрат",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    // The sizes are sides of a square section, not diameters.
    .sizeCaption = u"Сторона, мм",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
