#include "calculator/stored_accordion.h"

#include "calculator/form_layout.h"

namespace tarvik {

StoredAccordion::StoredAccordion()
{
    for (const form::Component& c : form::components()) {
        tops_.push_back(c.top);
        heights_.push_back(c.height);
    }
}

int StoredAccordion::headerClick(int section)
{
    accordion_.sButton1Click(*this, form::headerButton(section));
    return openSection();
}

int StoredAccordion::openSection() const
{
    return accordion_.openSection();
}

int StoredAccordion::sectionTop(int section) const
{
    return topOf(form::sectionPanel(section));
}

int StoredAccordion::sectionHeight(int section) const
{
    return heightOf(form::sectionPanel(section));
}

int StoredAccordion::componentCount() const
{
    return form::componentCount;
}

bool StoredAccordion::isWindowed(int component) const
{
    return form::isWindowed(form::components()[static_cast<std::size_t>(component)].controlClass);
}

int StoredAccordion::parentOf(int component) const
{
    return form::components()[static_cast<std::size_t>(component)].parent;
}

int StoredAccordion::topOf(int component) const
{
    return tops_.at(static_cast<std::size_t>(component));
}

int StoredAccordion::heightOf(int component) const
{
    return heights_.at(static_cast<std::size_t>(component));
}

void StoredAccordion::setTop(int component, int top)
{
    tops_.at(static_cast<std::size_t>(component)) = top;
}

void StoredAccordion::setHeight(int component, int height)
{
    heights_.at(static_cast<std::size_t>(component)) = height;
}

} // namespace tarvik
