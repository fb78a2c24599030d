// Metals and grades. Each density is the handbook figure at 20 °C that the
// makers' and the standards' mass tables are reckoned with; where sources
// differ, the comment beside it gives the other figures and says which was
// taken. "Handbooks" are the grade handbooks (марочники) of steels and of
// non-ferrous alloys, which quote each grade's density.
#include "grades.h"

namespace tarvik::catalogue {
namespace {

// The sortament standards (ГОСТ 2590, 2591, 8509, 8639, 103 and the rest)
// state their masses at 7850, whatever the grade, so the catalogue's unit
// masses stand for every carbon and low-alloy grade.
constexpr Grade steel[] = {
    {u"Ст3", 7850},   // ГОСТ 380; the sortament standards' 7850
    {u"09Г2С", 7850}, // ГОСТ 19281; handbooks 7850
    {u"10", 7850},    // ГОСТ 1050; handbooks 7856, the sortament's 7850 taken
    {u"20", 7850},    // ГОСТ 1050; handbooks 7859, the sortament's 7850 taken
    {u"45", 7850},    // ГОСТ 1050; handbooks 7826, the sortament's 7850 taken
    {u"40Х", 7850},   // ГОСТ 4543; handbooks 7820, the sortament's 7850 taken
    {u"65Г", 7850},   // ГОСТ 14959; handbooks 7850
};

constexpr Grade stainless[] = {
    {u"12Х18Н10Т", 7900}, // ГОСТ 5632; handbooks 7900 (some makers' lists 7920)
    {u"08Х18Н10", 7900},  // ГОСТ 5632; handbooks 7900
    {u"AISI 304", 7900},  // ASTM A240: 7900 (ASM handbook 8000; makers' lists 7930)
    {u"AISI 321", 7900},  // ASTM A240: 7900 (some makers' lists 7920)
    {u"AISI 316", 8000},  // 10Х17Н13М2Т; ASTM A240: 8000 (ГОСТ 5632 handbooks 8000; some 7980)
    {u"AISI 430", 7700},  // 12Х17; ASTM A240: 7700 (ГОСТ 5632 handbooks for 12Х17: 7720)
};

// ГОСТ 4784. The makers' mass tables of sheet and bar reckon with these.
constexpr Grade aluminium[] = {
    {u"А5", 2700},   // ГОСТ 11069; handbooks 2700
    {u"АД0", 2710},  // ГОСТ 4784; handbooks 2710 (some 2700)
    {u"АД31", 2710}, // ГОСТ 4784; handbooks 2710 (some 2700)
    {u"АМг2", 2680}, // ГОСТ 4784; handbooks 2680
    {u"АМг3", 2670}, // ГОСТ 4784; handbooks 2670 (some 2660)
    {u"АМг5", 2650}, // ГОСТ 4784; handbooks 2650
    {u"АМг6", 2640}, // ГОСТ 4784; handbooks 2640
    {u"Д16Т", 2780}, // ГОСТ 4784; handbooks 2780 (some 2770)
    {u"В95", 2850},  // ГОСТ 4784; handbooks 2850
};

// ГОСТ 859. Handbooks give 8890 to 8940 for these grades, and the mass
// tables of copper products may be reckoned at 8940 (pure copper is 8960).
// 8900 is taken; a buyer held to a table at 8940 finds ours 0.45 % lighter
// and types 8940 as his own density.
constexpr Grade copper[] = {
    {u"М1", 8900},
    {u"М2", 8900},
};

// ГОСТ 15527.
constexpr Grade brass[] = {
    // Makers' mass tables reckon brass at 8500; handbooks give 8440 for Л63.
    {u"Л63", 8500},
    // The grade handbook gives 8400; other sources and makers' lists reckon
    // every brass at 8500. The grade's own figure is taken.
    {u"ЛС59-1", 8400},
};

// ГОСТ 18175 (wrought) and 613 (cast).
constexpr Grade bronze[] = {
    {u"БрАЖ9-4", 7600},    // handbooks 7500 to 7600
    {u"БрОЦС5-5-5", 8800}, // ГОСТ 613; handbooks 8800 (some 8840)
    {u"БрБ2", 8200},       // handbooks 8200 (some 8230)
};

// ГОСТ 19807.
constexpr Grade titanium[] = {
    {u"ВТ1-0", 4505}, // handbooks 4505 (also quoted rounded, 4500)
    {u"ВТ6", 4420},   // handbooks 4420 to 4430
};

// Metals sold without a grade to choose: the one entry bears the metal's name.
constexpr Grade zinc[] = {{u"Цинк", 7130}};     // ГОСТ 3640; handbooks 7130 (some 7140)
constexpr Grade lead[] = {{u"Свинец", 11370}};  // ГОСТ 3778; handbooks 11340 to 11370
constexpr Grade nickel[] = {{u"Никель", 8900}}; // ГОСТ 849; handbooks 8900 (8907 pure)
constexpr Grade castIron[] = {{u"СЧ20", 7100}}; // ГОСТ 1412; handbooks 7000 to 7200 for grey iron

} // namespace

extern const std::array<Metal, 11> metals{{
    {u"Сталь", steel},
    {u"Нержавеющая сталь", stainless},
    {u"Алюминий", aluminium},
    {u"Медь", copper},
    {u"Латунь", brass},
    {u"Бронза", bronze},
    {u"Титан", titanium},
    {u"Цинк", zinc},
    {u"Свинец", lead},
    {u"Никель", nickel},
    {u"Чугун", castIron},
}};

} // namespace tarvik::catalogue
