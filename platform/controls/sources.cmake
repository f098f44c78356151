# Files of platform/controls, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
)
list(APPEND WINDOWS
    BorderStyle.cpp
    Control.cpp
    ControlDrag.cpp
    ControlLayout.cpp
    Cursors.cpp
    DragDrop.cpp
    ExceptionHook.cpp
    Hints.cpp
    UtilityWindow.cpp
    GraphicControl.cpp
    Menus.cpp
    MouseTracking.cpp
    SizeConstraints.cpp
    WinControl.cpp
    WinControlCreation.cpp
    WinControlDispatch.cpp
    WinControlPaint.cpp
)
