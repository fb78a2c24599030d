#pragma once

#include <QIcon>

namespace tarvik {

// The application icon: a grey pocket calculator, 32 × 32.
QIcon applicationIcon();

} // namespace tarvik
