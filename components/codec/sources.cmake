# The kit's compression, item streams and list files: all Windows-free.
list(APPEND PORTABLE
    kiterrors.cpp
    kitlzrw.cpp
    kitcompressedstream.cpp
    kititemstream.cpp
    kititemstrings.cpp
    kitlistfile.cpp
)
