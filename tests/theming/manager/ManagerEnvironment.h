#pragma once
// The units the theme manager needs, and a switch for the themed state.

#include "platform/rtl/SystemSeams.h"

#include <optional>

#include "tests/support/ControlThemes.h"
#include "tests/support/RealInput.h"

