# Files of platform/stdctrls, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
)
list(APPEND WINDOWS
    Bevel.cpp
    ButtonControls.cpp
    Image.cpp
    Label.cpp
    Panels.cpp
    StandardControls.cpp
    TrackBar.cpp
)
