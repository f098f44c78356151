# The host tools (form converter, logo generator) as a project of their own,
# built with the build machine's compiler, also in cross builds.
include(ExternalProject)

set(TESSARO_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(TESSARO_FORMCONV ${TESSARO_HOST_TOOLS_DIR}/formconv)
set(TESSARO_MAKE_LOGO ${TESSARO_HOST_TOOLS_DIR}/logo/make_logo)

ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${TESSARO_HOST_TOOLS_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=c++
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${TESSARO_FORMCONV} ${TESSARO_MAKE_LOGO})
