#pragma once

#include "calculator/window.h"

namespace tarvik {

// The left column's sections: a header click closes the open section, opens
// the clicked one and moves the sections below, keeping the column a
// gapless stack in which neighbours overlap by one pixel row.
class Accordion {
public:
    static constexpr int closedHeight = 25;

    // `sender` is the clicked header button; its parent is the section.
    void sButton1Click(ComponentTree& components, int sender);

    // Position of the open section's panel in the component list; −1 until
    // the first header click.
    int expandedSectionIndex() const { return ExpandedSectionIndex; }
    // Section 1..13 that is open; 0 until the first header click.
    int openSection() const;

private:
    int ExpandedSectionIndex = -1;
};

} // namespace tarvik
