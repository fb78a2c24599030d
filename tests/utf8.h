#pragma once

// For failure messages: the program's texts are UTF-16, gtest prints UTF-8.

#include "text/utf8.h"

namespace tarvik::testing {
using tarvik::utf8;
} // namespace tarvik::testing
