#pragma once

#include "calculator/form_layout.h"

#include <QFont>

namespace tarvik {

// The font a layout entry asks for, drawn in Liberation Sans whatever the
// machine's default font, so that the layout never depends on it.
QFont controlFont(form::Font layout);

} // namespace tarvik
