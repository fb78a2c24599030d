#include "calculator/accordion.h"

#include "calculator/form_layout.h"

#include <stdexcept>

namespace tarvik {
namespace {

// Moves every sibling of `reference` that lies strictly below it by `delta`.
// Siblings are the windowed components with the same parent; the strict
// comparison keeps the reference itself in place.
void moveSectionsBelow(ComponentTree& components, int reference, int delta)
{
    const int parent = components.parentOf(reference);
    const int referenceTop = components.topOf(reference);
    for (int c = 0; c < components.componentCount(); ++c) {
        if (components.isWindowed(c) && components.parentOf(c) == parent &&
            components.topOf(c) > referenceTop)
            components.setTop(c, components.topOf(c) + delta);
    }
}

} // namespace

void Accordion::sButton1Click(ComponentTree& components, int sender)
{
    const int section = components.parentOf(sender);
    if (section < 0 || !components.isWindowed(sender))
        throw std::invalid_argument("header click from a control outside a section");

    if (ExpandedSectionIndex != -1) {
        const int open = ExpandedSectionIndex;
        moveSectionsBelow(components, open, closedHeight - components.heightOf(open));
        components.setHeight(open, closedHeight);
    }

    int openHeight = 0;
    for (int c = 0; c < components.componentCount(); ++c) {
        if (components.isWindowed(c) && components.parentOf(c) == section)
            openHeight += components.heightOf(c);
    }
    components.setHeight(section, openHeight);
    moveSectionsBelow(components, section, openHeight - closedHeight);
    ExpandedSectionIndex = section;
}

int Accordion::openSection() const
{
    for (int k = 1; k <= form::allSections; ++k) {
        if (form::sectionPanel(k) == ExpandedSectionIndex)
            return k;
    }
    return 0;
}

} // namespace tarvik
