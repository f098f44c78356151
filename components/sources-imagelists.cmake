# The kit's bitmap and image lists and the bitmap data blocks of list items.
list(APPEND WINDOWS
    kititembitmap.cpp
    kitimagelistbase.cpp
    kitbitmaplist.cpp
    kitimagelist.cpp
)
