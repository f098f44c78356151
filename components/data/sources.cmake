# Wave data, change links, containers and list items, the string and wave
# lists: Windows-free but for the call that stops a sound.
list(APPEND PORTABLE
    kitwave.cpp
    kitlistbase.cpp
    kitdatalists.cpp
)
list(APPEND WINDOWS
    kitwavesound.cpp
)
if(NOT TESSARO_WINDOWS)
    list(APPEND PORTABLE kitwavesoundnone.cpp)
endif()
