# The kit's graphic control bases and the fill control.
list(APPEND WINDOWS kitctrl.cpp kitextcS.cpp kitimagelink.cpp)
