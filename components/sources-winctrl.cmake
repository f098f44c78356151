# The kit's windowed control base.
list(APPEND WINDOWS kitcctrl.cpp)
