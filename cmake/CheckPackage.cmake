# Makes the package of a Windows build and checks that it holds what a user
# needs and nothing else: one folder with tessaro.exe and faq.html, the
# program byte for byte the one the tests ran, without debug sections but
# with the link to its debug file.
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
file(REMOVE_RECURSE ${work})
message(STATUS "package ${top}.zip: tessaro.exe and faq.html")
