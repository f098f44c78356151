# Files of platform/stdctrls, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
)
list(APPEND WINDOWS
    Animate.cpp
    Bevel.cpp
    ButtonControls.cpp
    CheckListBox.cpp
    CoolBar.cpp
    Frames.cpp
    GlyphButtons.cpp
    Grids.cpp
    Image.cpp
    Label.cpp
    ListView.cpp
    PageControl.cpp
    Panels.cpp
    RichEdit.cpp
    ScrollBars.cpp
    ScrollBox.cpp
    Splitter.cpp
    StandardControls.cpp
    StaticText.cpp
    StatusBar.cpp
    ToolBar.cpp
    TrackBar.cpp
)
