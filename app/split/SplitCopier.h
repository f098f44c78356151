#pragma once
// The copy loop of a split, on any byte source and part sink.

#include "app/split/SplitEngine.h"
#include "app/split/PartSink.h"
#include "platform/rtl/TextLineSplitter.h"

// Copies the lines of source into parts, as SplitLines describes. Opens
// part 0 first; on every way out the open part is closed: on an error with
// its own failure ignored, else with it raised.
TSplitResult SplitStream(TByteSource& source, TPartSink& parts, const TSplitProgress& progress,
                         const TSplitTuning& tuning = {});
