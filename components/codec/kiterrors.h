#pragma once
// What the kit's readers and writers share to report damaged data: one text,
// one exception and one helper each, instead of a copy in every unit.

#include "platform/rtl/Exceptions.h"

#include <cstdint>

class TStream;

// The resource text of a file that is no list or wave file; %s stays in
// place where the caller passes no name.
inline constexpr const char* KitCannotOpenFileText = "Datei %s kann nicht geöffnet werden";

// More decoded data than the reader's limit allows; nothing was allocated for
// it.
DECLARE_EXCEPTION(EKitDecodeLimit, EReadError);

// EReadError: damaged compressed data.
[[noreturn]] void RaiseCorruptData();
// EReadError: a data block whose length does not fit its stream or content.
[[noreturn]] void RaiseBadBlockLength();
// EKitDecodeLimit.
[[noreturn]] void RaiseDecodeLimit();
// Exception "Bitmap ist ungültig".
[[noreturn]] void RaiseInvalidBitmap();
