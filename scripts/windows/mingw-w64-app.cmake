# The mingw-w64 toolchain with the dependency cache (Qt, libjpeg) among the places libraries
# are found in, wherever $PEMU_WINDOWS_DEPS puts it.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
if(DEFINED ENV{PEMU_WINDOWS_DEPS})
  get_filename_component(_pemu_deps "$ENV{PEMU_WINDOWS_DEPS}" ABSOLUTE)
else()
  get_filename_component(_pemu_deps "$ENV{HOME}/.cache/pemu-windows" ABSOLUTE)
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${_pemu_deps})
