// How a wave stops a sound that may be playing: the system's sound call.

#include "components/data/kitwave.h"
#include "platform/dialogs/SystemLibrary.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

void StopPlayingSound() {
    // Bound when needed, from the system folder: winmm is not among the
    // libraries Windows always takes from there. Without it no sound can be
    // playing.
    using TSndPlaySound = BOOL(WINAPI*)(LPCSTR, UINT);
    const TSystemLibrary winmm("winmm.dll");
    if (const auto play = winmm.Entry<TSndPlaySound>("sndPlaySoundA"))
        play(nullptr, SND_MEMORY);
}

} // namespace

TKitStopSoundCall KitStopSound = &StopPlayingSound;
