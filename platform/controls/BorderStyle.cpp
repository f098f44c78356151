#include "platform/controls/BorderStyle.h"

const TEnumNames& FormBorderStyleNames() {
    static const TEnumNames names = {"bsNone",   "bsSingle",     "bsSizeable",
                                     "bsDialog", "bsToolWindow", "bsSizeToolWin"};
    return names;
}

const TEnumNames& BorderStyleNames() {
    static const TEnumNames names = {"bsNone", "bsSingle"};
    return names;
}
