#pragma once
// The kit's control messages; both parameters are always 0.

#include "platform/controls/Messages.h"

constexpr UINT CM_KITTRANSPARENTCHANGED = 0xB0CD;
constexpr UINT CM_KITBACKCHANGED = 0xB0CE;
constexpr UINT CM_KITGOTFOCUS = 0xB0CF;
constexpr UINT CM_KITLOSTFOCUS = 0xB0D0;
constexpr UINT CM_KITBEVELCHANGED = 0xB0D1;
