// How a wave stops a sound that may be playing: the system's sound call.

#include "components/data/kitwave.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

void StopPlayingSound() {
    sndPlaySoundA(nullptr, SND_MEMORY);
}

} // namespace

TKitStopSoundCall KitStopSound = &StopPlayingSound;
