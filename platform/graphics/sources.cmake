# Files of platform/graphics, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
    BitmapFile.cpp
    Color.cpp
    HandleCount.cpp
)
list(APPEND WINDOWS
    Bitmap.cpp
    BitmapLayout.cpp
    BitmapStream.cpp
    Canvas.cpp
    DeviceContext.cpp
    Graphic.cpp
    GraphicsObjects.cpp
    Picture.cpp
)
