#pragma once
// The identifiers of TKitAlignment as form resources store them; shared by
// the settings objects that publish an alignment.

#include "platform/classes/Properties.h"

const TEnumNames& KitAlignmentNames();
