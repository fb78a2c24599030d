#pragma once

#include <QIcon>

namespace tarvik {

// The application icon "MAINICON": a grey pocket calculator, 32 × 32 RGBA.
QIcon applicationIcon();

} // namespace tarvik
