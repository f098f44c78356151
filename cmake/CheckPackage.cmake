# Makes the package of a Windows build and checks that it holds what a user
# needs and nothing else: one folder with tessaro.exe and faq.html, the
# program byte for byte the one the tests ran, without debug sections but
# with the link to its debug file, importing at load time only libraries
# Windows always takes from the system folder (and the common controls,
# which the manifest names).
#   cmake -DBUILD_DIR=build/win64 -DOBJDUMP=x86_64-w64-mingw32-objdump -P cmake/CheckPackage.cmake
cmake_minimum_required(VERSION 3.21)

function(fail what)
    message(FATAL_ERROR "package of ${BUILD_DIR}: ${what}")
endfunction()

set(work ${BUILD_DIR}/package-check)
file(REMOVE_RECURSE ${work})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${work}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    fail("cpack failed:\n${output}")
endif()
file(GLOB zips ${work}/Tessaro-*.zip)
list(LENGTH zips count)
if(NOT count EQUAL 1)
    fail("expected one zip, found: ${zips}")
endif()
get_filename_component(top ${zips} NAME)
string(REGEX REPLACE "\\.zip$" "" top ${top})
if(NOT top MATCHES "^Tessaro-[0-9]+\\.[0-9]+\\.[0-9]+-win(32|64)$")
    fail("unexpected package name ${top}")
endif()

file(ARCHIVE_EXTRACT INPUT ${zips} DESTINATION ${work}/unpacked)
file(GLOB_RECURSE files RELATIVE ${work}/unpacked ${work}/unpacked/*)
list(SORT files)
if(NOT files STREQUAL "${top}/faq.html;${top}/tessaro.exe")
    fail("holds ${files}")
endif()

set(exe ${work}/unpacked/${top}/tessaro.exe)
file(SHA256 ${exe} shipped)
file(SHA256 ${BUILD_DIR}/app/tessaro.exe built)
if(NOT shipped STREQUAL built)
    fail("tessaro.exe differs from the one the tests run")
endif()

execute_process(COMMAND ${OBJDUMP} -h ${exe} OUTPUT_VARIABLE sections RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    fail("objdump cannot read tessaro.exe")
endif()
if(sections MATCHES "\\.debug_")
    fail("tessaro.exe carries debug sections")
endif()
if(NOT sections MATCHES "\\.gnu_debuglink")
    fail("tessaro.exe has no link to its debug file")
endif()
# The program runs elevated from wherever it was unpacked: a load-time import
# of any other library would be looked for in its folder first. The common
# controls, common dialogs and shell are bound at run time, after start-up has
# restricted the search: at load time they would pull in libraries of their
# own (the visual styles) from the program's folder.
set(system_folder_libraries advapi32 gdi32 kernel32 msvcrt user32)
execute_process(COMMAND ${OBJDUMP} -p ${exe} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT result EQUAL 0 OR NOT imports)
    fail("objdump lists no imports of tessaro.exe")
endif()
foreach(import ${imports})
    string(TOLOWER "${import}" library)
    string(REGEX REPLACE "^dll name: ([^.]+)\\.dll$" "\\1" library "${library}")
    if(NOT library IN_LIST system_folder_libraries)
        fail("tessaro.exe imports ${import} at load time")
    endif()
endforeach()
# Elevated on a Terminal Server, a program that is not Terminal-Server-aware
# gets a per-user Windows folder the user can write; the file manager is
# started from the system's.
if(NOT headers MATCHES "TERMINAL_SERVICE_AWARE")
    fail("tessaro.exe is not Terminal-Server-aware")
endif()
file(REMOVE_RECURSE ${work})
message(STATUS "package ${top}.zip: tessaro.exe and faq.html")
