# Kit base classes, utility routines, system information, timer pool and the
# kit's application object.
list(APPEND PORTABLE kitcompo.cpp kitobject.cpp)
list(APPEND WINDOWS kitclass.cpp kittimerpool.cpp kitutils.cpp kitsysinfo.cpp)
