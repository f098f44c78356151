#pragma once
// A broken precondition that the code checks at run time.

#include "platform/rtl/Exceptions.h"

DECLARE_EXCEPTION(EAssertionFailed, Exception);
