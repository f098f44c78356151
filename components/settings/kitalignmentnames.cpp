#include "components/settings/kitalignmentnames.h"

const TEnumNames& KitAlignmentNames() {
    static const TEnumNames names = {"agTopLeft",    "agTopCenter",    "agTopRight",
                                     "agCenterLeft", "agCenter",       "agCenterRight",
                                     "agBottomLeft", "agBottomCenter", "agBottomRight"};
    return names;
}
