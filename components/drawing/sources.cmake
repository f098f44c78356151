# The kit's drawing routines (frames, bitmaps and the bitmap-file writer,
# gradients, effect text) and the caption effect settings.
list(APPEND PORTABLE
    kitdiblayout.cpp
    kitdrawmath.cpp
)
list(APPEND WINDOWS
    kitbitmap.cpp
    kitclip.cpp
    kitdib.cpp
    kitframe.cpp
    kitgradient.cpp
    kitgraph.cpp
    kitpalette.cpp
    kittext.cpp
)
