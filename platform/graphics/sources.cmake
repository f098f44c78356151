# Files of platform/graphics, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
    Color.cpp
    HandleCount.cpp
)
list(APPEND WINDOWS
    GraphicsObjects.cpp
)
