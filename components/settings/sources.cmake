# The kit's settings objects: bevel, gradient, fill and caption objects.
list(APPEND WINDOWS
    kitalignmentnames.cpp
    kitbevel.cpp
    kitcaption.cpp
    kitfillobject.cpp
    kitgradientobject.cpp
)
