#pragma once
// Class tests by name along an object's class chain. The theme manager
// recognises the control classes it themes this way, so it needs no header
// of them and treats a class the program does not link as absent.

#include <string_view>

class TObject;

// True when Object's class, or one of its ancestors, is named ClassName.
bool IsInstanceOfClassNamed(const TObject* object, std::string_view className);
