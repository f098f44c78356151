# Files of platform/stdctrls, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
)
list(APPEND WINDOWS
    Animate.cpp
    Bevel.cpp
    ButtonControls.cpp
    CheckListBox.cpp
    Frames.cpp
    GlyphButtons.cpp
    Image.cpp
    Label.cpp
    ListView.cpp
    PageControl.cpp
    Panels.cpp
    Splitter.cpp
    StandardControls.cpp
    StaticText.cpp
    StatusBar.cpp
    ToolBar.cpp
    TrackBar.cpp
)
