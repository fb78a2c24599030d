#include "calculator/form_layout.h"

#include "catalogue/family.h"
#include "catalogue/own_sections.h"

#include <array>

namespace tarvik::form {
namespace {

constexpr std::string_view sectionNames[allSections][3] = {
    {"Panel1", "sButton1", "sListBox1"},    {"Panel2", "sButton2", "sListBox2"},
    {"Panel3", "sButton3", "sListBox3"},    {"Panel4", "sButton4", "sListBox4"},
    {"Panel5", "sButton5", "sListBox5"},    {"Panel6", "sButton6", "sListBox6"},
    {"Panel7", "sButton7", "sListBox7"},    {"Panel8", "sButton8", "sListBox8"},
    {"Panel9", "sButton9", "sListBox9"},    {"Panel10", "sButton10", "sListBox10"},
    {"Panel11", "sButton11", "sListBox11"}, {"Panel12", "sButton12", "sListBox12"},
    {"Panel13", "sButton13", "sListBox13"},
};

std::array<Component, componentCount> build()
{
    using enum ControlClass;
    std::array<Component, componentCount> list{{
        {"sPanel1", Panel, -1, 0, 0, 232, clientHeight},
        {"sPanel4", Panel, sPanel1, 232, 7, 399, 418, {15}},
        {"Image2", Image, sPanel4, 16, 360, 369, 46},
        {"sRadioGroup", RadioGroup, sPanel4, 16, 24, 365, 81},
        {"sComboBoxElement", DropDownList, sPanel4, 48, 136, 121, 25},
        {"sComboBoxE1", DropDownList, sPanel4, 48, 136, 121, 25},
        {"sComboBoxE2", DropDownList, sPanel4, 224, 136, 121, 25},
        {"sGroupBox1", GroupBox, sPanel4, 24, 240, 357, 65},
        {"sLabelResult", Label, sGroupBox1, 64, 24, 6, 24, {21}},
        {"sButtonCalc", Button, sPanel4, 248, 320, 97, 25},
        {"sEditParam", Edit, sPanel4, 48, 192, 105, 25},
        {"sPanel2", Panel, sPanel1, 7, 7, 218, clientHeight - 13},
    }};
    for (int k = 1; k <= allSections; ++k) {
        const auto& names = sectionNames[k - 1];
        const int kinds = static_cast<int>(
            k == ownSection ? catalogue::ownKinds.size()
                            : catalogue::families[static_cast<std::size_t>(k - 1)]->kinds.size());
        const int listWidth = k == 1 ? 205 : 203;
        list[sectionPanel(k)] = {names[0], PlainPanel, sPanel2, 8, 8 + 24 * (k - 1), 203, 25};
        list[headerButton(k)] = {names[1], Button, sectionPanel(k), 0, 0, 203, 25, {15, true}};
        list[kindsList(k)] = {names[2], KindsList, sectionPanel(k),        0,
                              25,       listWidth, kindsListHeight(kinds), {11}};
    }
    list[sSkinManager1] = {"sSkinManager1", SkinManager, -1, 0, 0, 0, 0};
    return list;
}

} // namespace

std::span<const Component, componentCount> components()
{
    static const std::array<Component, componentCount> list = build();
    return list;
}

} // namespace tarvik::form
