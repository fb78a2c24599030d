// «Свой размер»: its kinds, the captions of their dimensions, and the
// standards' corner radii.
#include "own_sections.h"

namespace tarvik::catalogue {
namespace {

constexpr Text ownCircle[] = {u"Диаметр, мм"};
constexpr Text ownSquare[] = {u"Сторона, мм"};
constexpr Text ownHexagon[] = {u"Размер под ключ, мм"};
constexpr Text ownSheet[] = {u"Толщина, мм"};
constexpr Text ownStrip[] = {u"Ширина, мм", u"Толщина, мм"};
constexpr Text ownRoundPipe[] = {u"Наружный диаметр, мм", u"Толщина стенки, мм"};
constexpr Text ownProfilePipe[] = {u"Ширина, мм", u"Высота, мм", u"Толщина стенки, мм",
                                   u"Радиус закругления R, мм"};
constexpr Text ownEqualAngle[] = {u"Ширина полки, мм", u"Толщина полки, мм", u"Радиус закругления R, мм",
                                  u"Радиус закругления полки r, мм"};
constexpr Text ownUnequalAngle[] = {u"Ширина большей полки, мм", u"Ширина меньшей полки, мм",
                                    u"Толщина полки, мм", u"Радиус закругления R, мм",
                                    u"Радиус закругления полки r, мм"};

// ГОСТ 30245 (welded hollow sections for building): the outer corner radius
// is 2 walls up to 6 mm, 2.5 walls up to 10 mm, 3 walls beyond.
constexpr RadiusStep gost30245[] = {{6, 20}, {10, 25}, {0, 30}};
// ГОСТ 8639 (square) and 8645 (rectangular): 1.5 walls outside at every wall.
constexpr RadiusStep gost8639[] = {{0, 15}};

// ГОСТ 8509-93, table 1: b, b in mm, R, r in tenths of a mm. The radii follow
// the flange width alone (every thickness rolled at a width has the same), so
// a width stands for all its thicknesses. The widths 20 to 32 were checked
// against a published copy of the table, every width against the catalogue's
// unit masses: the audit weighs each of its angles with these radii.
constexpr AngleRadii equal[] = {
    {20, 20, 35, 12},    {25, 25, 35, 12},    {28, 28, 40, 13},    {30, 30, 40, 13},    {32, 32, 45, 15},
    {35, 35, 45, 15},    {40, 40, 50, 17},    {45, 45, 50, 17},    {50, 50, 55, 18},    {56, 56, 60, 20},
    {60, 60, 70, 23},    {63, 63, 70, 23},    {70, 70, 80, 27},    {75, 75, 90, 30},    {80, 80, 90, 30},
    {90, 90, 100, 33},   {100, 100, 120, 40}, {110, 110, 120, 40}, {125, 125, 140, 46}, {140, 140, 140, 46},
    {160, 160, 160, 53}, {180, 180, 160, 53}, {200, 200, 180, 60}, {220, 220, 210, 70}, {250, 250, 240, 80},
};

// ГОСТ 8510-86, table 1: B, b in mm, R, r in tenths of a mm; again the radii
// follow the widths alone. Checked against the catalogue's unit masses as the
// equal angles are.
constexpr AngleRadii unequal[] = {
    {25, 16, 35, 12},    {30, 20, 35, 12},    {32, 20, 35, 12},    {40, 25, 40, 13},    {40, 30, 40, 13},
    {45, 28, 50, 17},    {50, 32, 55, 18},    {56, 36, 60, 20},    {63, 40, 70, 23},    {65, 50, 60, 20},
    {70, 45, 75, 25},    {75, 50, 80, 27},    {80, 50, 80, 27},    {80, 60, 80, 27},    {90, 56, 90, 30},
    {100, 63, 100, 33},  {100, 65, 100, 33},  {110, 70, 100, 33},  {125, 80, 110, 37},  {140, 90, 120, 40},
    {160, 100, 130, 43}, {180, 110, 140, 47}, {200, 125, 140, 47}, {250, 160, 180, 60},
};

} // namespace

extern const Text ownSectionsHeader = u"Свой размер";

extern const std::array<OwnKind, 9> ownKinds{{
    {u"Круг", OwnShape::Circle, ownCircle, TextSet::Length},
    {u"Квадрат", OwnShape::Square, ownSquare, TextSet::Length},
    {u"Шестигранник", OwnShape::Hexagon, ownHexagon, TextSet::Length},
    {u"Лист", OwnShape::Sheet, ownSheet, TextSet::Area},
    {u"Полоса", OwnShape::Strip, ownStrip, TextSet::Length},
    {u"Труба круглая", OwnShape::RoundPipe, ownRoundPipe, TextSet::Length},
    {u"Труба профильная", OwnShape::ProfilePipe, ownProfilePipe, TextSet::Length},
    {u"Уголок равнополочный", OwnShape::EqualAngle, ownEqualAngle, TextSet::Length},
    {u"Уголок неравнополочный", OwnShape::UnequalAngle, ownUnequalAngle, TextSet::Length},
}};

extern const std::array<RadiusStandard, 2> profileRadiusStandards{{
    {u"ГОСТ 30245", gost30245},
    {u"ГОСТ 8639/8645", gost8639},
}};

extern const std::span<const AngleRadii> equalAngleRadii = equal;
extern const std::span<const AngleRadii> unequalAngleRadii = unequal;

} // namespace tarvik::catalogue
