# Files of platform/classes, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
    Component.cpp
    List.cpp
    Object.cpp
    Persistent.cpp
    Properties.cpp
    StringList.cpp
)
list(APPEND WINDOWS
)
# Streams (TFileStream's POSIX part is inside Stream.cpp).
list(APPEND PORTABLE Stream.cpp)
list(APPEND WINDOWS FileStreamWin.cpp ResourceStream.cpp)
