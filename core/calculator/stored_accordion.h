#pragma once

// The accordion run over the stored form layout instead of real widgets, for
// a face that lets its own layout engine place the sections and only needs
// to know which one is open.

#include "calculator/accordion.h"
#include "calculator/window.h"

#include <vector>

namespace tarvik {

class StoredAccordion : private ComponentTree {
public:
    StoredAccordion();

    // A click on the header of section 1..12; returns the open section.
    int headerClick(int section);
    // Section 1..12 that is open; 0 until the first header click.
    int openSection() const;
    // Pixel geometry of a section's panel, as the desktop window would have it.
    int sectionTop(int section) const;
    int sectionHeight(int section) const;

private:
    int componentCount() const override;
    bool isWindowed(int component) const override;
    int parentOf(int component) const override;
    int topOf(int component) const override;
    int heightOf(int component) const override;
    void setTop(int component, int top) override;
    void setHeight(int component, int height) override;

    Accordion accordion_;
    std::vector<int> tops_;
    std::vector<int> heights_;
};

} // namespace tarvik
