#pragma once

// The product catalogue: literal, constant data only. Every family lives in
// a source of its own; a kind's table is two parallel lists (size texts and
// unit masses) linked by position alone.

#include <array>
#include <span>
#include <string_view>

namespace tarvik::catalogue {

using Text = std::u16string_view;

// What one entry of a family's kinds list loads.
struct KindTable {
    std::span<const Text> sizes;
    std::span<const double> unitMasses; // kg per metre, or per square metre
    // Sheet only: each kind brings its own size caption.
    Text sizeCaption = {};
    // Profile pipe only: the first picker's items are a list of their own,
    // since cutting "20x20x1.5" at its first "x" would give only one side.
    std::span<const Text> firstLevel = {};
};

enum class TextSet { Length, Area };

// When the single-list form of the selection sequence sets the size caption.
enum class SizeCaptionStep {
    BeforeResultCleared, // with the common steps, every click
    AfterListEmptied,    // after the size list is emptied, every click
    PerKind,             // inside the kind's branch, only when a table loads
};

enum class SizeControls { SingleList, TwoPickers };

struct Family {
    Text header;
    std::span<const Text> kinds;
    // Parallel to `kinds`; a kinds-list index outside it loads nothing.
    std::span<const KindTable> tables;
    TextSet textSet;
    SizeControls controls;
    // Single list: the size caption and its step.
    Text sizeCaption = {};
    SizeCaptionStep sizeCaptionStep = SizeCaptionStep::BeforeResultCleared;
    // Two pickers: the captions of the first and second level.
    Text firstLevelCaption = {};
    Text secondLevelCaption = {};
    // Sold in steel only (rebar, beams, channels, sheeting, mesh): their
    // masses are those of their steel standards, whatever grade is chosen.
    bool steelOnly = false;
};

// The twelve families in accordion order.
extern const Family rebar;
extern const Family beams;
extern const Family squareBar;
extern const Family roundBar;
extern const Family sheet;
extern const Family flatStrip;
extern const Family profiledSheet;
extern const Family mesh;
extern const Family roundPipe;
extern const Family profilePipe;
extern const Family angles;
extern const Family channels;

extern const std::array<const Family*, 12> families;

} // namespace tarvik::catalogue
