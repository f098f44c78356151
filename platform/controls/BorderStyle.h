#pragma once
// Border styles: forms use all of them, panels the first two.

#include "platform/classes/Properties.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using enum TFormBorderStyle;
using TBorderStyle = TFormBorderStyle;

const TEnumNames& FormBorderStyleNames();
const TEnumNames& BorderStyleNames(); // bsNone and bsSingle only
