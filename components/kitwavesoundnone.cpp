// Where the kit is built without Windows there is no sound to stop.

#include "components/kitwave.h"

TKitStopSoundCall KitStopSound = nullptr;
