#include "platform/dialogs/CommonDialog.h"

#include "platform/classes/Properties.h"

const TClassInfo& TCommonDialog::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCommonDialog>("TCommonDialog");
    return info;
}
