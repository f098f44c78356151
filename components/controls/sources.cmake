# The kit's graphic and windowed control bases and the fill control.
list(APPEND WINDOWS kitctrl.cpp kitcctrl.cpp kitextcS.cpp kitimagelink.cpp)
