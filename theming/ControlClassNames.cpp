#include "theming/ControlClassNames.h"

#include "platform/classes/Object.h"

bool IsInstanceOfClassNamed(const TObject* object, std::string_view className) {
    if (!object)
        return false;
    for (const TClassInfo* cls = &object->ClassType(); cls; cls = cls->Parent())
        if (cls->Name() == className)
            return true;
    return false;
}
