// How a wave stops a sound that may be playing: the system's sound call.

#include "components/data/kitwave.h"
#include "platform/rtl/SystemLibrary.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

void StopPlayingSound() {
    // Only a loaded winmm can be playing a sound, so none is loaded for
    // this: nothing is searched for, and nothing is loaded and freed again
    // whenever a wave's data changes.
    using TSndPlaySound = BOOL(WINAPI*)(LPCSTR, UINT);
    if (const auto play = LoadedLibraryEntry<TSndPlaySound>("winmm.dll", "sndPlaySoundA"))
        play(nullptr, SND_MEMORY);
}

} // namespace

TKitStopSoundCall KitStopSound = &StopPlayingSound;
