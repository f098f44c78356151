#pragma once
// An operation a graphic object cannot perform (an image size or count it
// cannot hold).

#include "platform/rtl/Exceptions.h"

DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
