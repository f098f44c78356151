# The kit's bitmap and image lists and the bitmap data blocks of list items.
# Reading a record up to the bitmap file images is Windows-free.
list(APPEND PORTABLE
    kitbitmapblock.cpp
    kitimagerecord.cpp
)
list(APPEND WINDOWS
    kititembitmap.cpp
    kitimagelistbase.cpp
    kitbitmaplist.cpp
    kitimagelist.cpp
)
