#pragma once

// The main window's stored description: its components in creation order
// with their classes, parents and geometry in pixels. The Qt window builds
// itself from it, and the accordion walks the same order.

#include <span>
#include <string_view>

namespace tarvik::form {

enum class ControlClass {
    Panel,      // skinned panel
    PlainPanel, // section panel (Panel1..Panel12)
    Button,
    KindsList,
    RadioGroup,
    DropDownList,
    GroupBox,
    Label, // not windowed
    Edit,
    Image,       // not windowed
    SkinManager, // not windowed, no parent
};

constexpr bool isWindowed(ControlClass c)
{
    return c != ControlClass::Label && c != ControlClass::Image && c != ControlClass::SkinManager;
}

// A control's own font; a pixel size of 0 takes the parent's. Every font is
// drawn in one face, so the layout never depends on the machine's fonts.
struct Font {
    int pixelSize = 0;
    bool bold = false;
};

struct Component {
    std::string_view name;
    ControlClass controlClass;
    int parent; // position of the parent component; −1 for the window or none
    int left, top, width, height;
    Font font = {};
};

// The window's font, which every control without its own takes.
constexpr Font windowFont{11};
// The captions above the drop-down lists and the input field.
constexpr Font captionFont{16};

// The window's 49 components, then the thirteenth section («Свой размер»)
// appended after them, so that none of the 49 moves in the order.
constexpr int componentCount = 52;
// The catalogue's sections; «Свой размер» is the one after them.
constexpr int sectionCount = 12;
constexpr int ownSection = 13;
constexpr int allSections = 13;
constexpr int clientWidth = 232;
// The controls of the material and of «Свой размер» stand below the
// calculation column: the window is this much taller than its first 431
// pixels, and the left column grows with it to hold the thirteenth
// section open with its nine kinds.
constexpr int materialHeight = 265;
constexpr int clientHeight = 431 + materialHeight;
constexpr int startLeft = 979;
constexpr int startTop = 350;

// Positions in the component list.
constexpr int sPanel1 = 0;
constexpr int sPanel4 = 1;
constexpr int Image2 = 2;
constexpr int sRadioGroup = 3;
constexpr int sComboBoxElement = 4;
constexpr int sComboBoxE1 = 5;
constexpr int sComboBoxE2 = 6;
constexpr int sGroupBox1 = 7;
constexpr int sLabelResult = 8;
constexpr int sButtonCalc = 9;
constexpr int sEditParam = 10;
constexpr int sPanel2 = 11;
constexpr int sectionPanel(int section)
{
    return section == ownSection ? 49 : 12 + 3 * (section - 1);
}
constexpr int headerButton(int section)
{
    return sectionPanel(section) + 1;
}
constexpr int kindsList(int section)
{
    return sectionPanel(section) + 2;
}
constexpr int sSkinManager1 = 48;

// Height of a kinds list: 14 px per kind plus 4, so every kind shows.
constexpr int kindsListHeight(int kinds)
{
    return 14 * kinds + 4;
}

// All the components, in creation order.
std::span<const Component, componentCount> components();

} // namespace tarvik::form
