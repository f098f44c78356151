// Where the kit is built without Windows there is no sound to stop.

#include "components/data/kitwave.h"

TKitStopSoundCall KitStopSound = nullptr;
