# Files of platform/forms, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
    UnitLifecycle.cpp
)
list(APPEND WINDOWS
    Application.cpp
    Form.cpp
    Screen.cpp
)
