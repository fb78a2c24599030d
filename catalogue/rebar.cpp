// Rebar: reinforcing bars, reckoned by length; sizes are bar diameters in mm.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Арматура А3 А500с",       u"Арматура А1", u"Арматура Т/УПР Ат800/Ат500", u"Арматура А3 35ГС",
    u"Арматура ТУ 1-5526-2006", u"Арматура А2", u"Арматура ТУ 14-1-5254-94",   u"Арматура А3 25Г2С",
};

// Kinds 0, 1, 3 and 7 load the very same full table; the short ones are
// selections of its rows.
constexpr Text fullSizes[] = {u"6",  u"8",  u"10", u"12", u"14", u"16", u"18",
                              u"20", u"22", u"25", u"28", u"32", u"36", u"40"};
constexpr double fullMasses[] = {0.22, 0.4,  0.62, 0.89, 1.21, 1.58, 2,
                                 2.47, 2.98, 3.85, 4.83, 6.31, 7.99, 9.87};
constexpr Text kind2Sizes[] = {u"8", u"10", u"12", u"14"};
constexpr double kind2Masses[] = {0.4, 0.62, 0.89, 1.21};
constexpr Text kind4Sizes[] = {u"32"};
constexpr double kind4Masses[] = {6.31};
constexpr Text kind5Sizes[] = {u"12", u"18", u"25", u"40"};
constexpr double kind5Masses[] = {0.89, 2, 3.85, 9.87};
constexpr Text kind6Sizes[] = {u"16", u"18"};
constexpr double kind6Masses[] = {1.58, 2};

constexpr KindTable full{fullSizes, fullMasses};
constexpr KindTable tables[] = {
    full,
    full,
    {kind2Sizes, kind2Masses},
    full,
    {kind4Sizes, kind4Masses},
    {kind5Sizes, kind5Masses},
    {kind6Sizes, kind6Masses},
    full,
};

} // namespace

extern const Family rebar{
    .header = u"Арматура",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Диаметр,мм",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
    .steelOnly = true,
};

} // namespace tarvik::catalogue
