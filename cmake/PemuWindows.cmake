# Windows programs carry a version resource, whose "ProductName" tells our programs from
# others (the leftover updater is recognised by it), and the windowed ones the application
# icon. Elsewhere this does nothing.
# pemu_windows_resource(<target> <description> [ICON])
if(WIN32)
  enable_language(RC)
endif()
function(pemu_windows_resource target description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(R "ICON" "" "" ${ARGN})
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(PEMU_RC_FILE_NAME "${name}.exe")
  set(PEMU_RC_INTERNAL_NAME "${name}")
  set(PEMU_RC_DESCRIPTION "${description}")
  set(PEMU_PRODUCT_NAME "Pemu")
  # "3.69.03" -> 3,69,3,0: each part a number.
  math(EXPR patch "${PROJECT_VERSION_PATCH}")
  set(PEMU_RC_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${patch},0")
  set(PEMU_RC_ICON_LINE "")
  if(R_ICON)
    set(PEMU_RC_ICON_LINE "IDI_PEMU ICON \"${PEMU_WINDOWS_ICON}\"")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/program.rc.in ${rc} @ONLY)
  # A library of its own: the compiler's warning options of the program are no options of
  # the resource compiler.
  add_library(${target}_resource OBJECT ${rc})
  if(R_ICON)
    add_dependencies(${target}_resource pemu_icons)
  endif()
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:${target}_resource>)
endfunction()

# The icon file of the windowed programs, written with the icon theme's sizes.
set(PEMU_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/pemu.ico)

# Tools that run during the build (the skin generator, the icon scaler) come from a build
# for this machine when the build makes programs for another system:
# pemu_host_tool(<name>) defines <name> as that program, or stops with what to do.
function(pemu_host_tool name)
  set(PEMU_HOST_TOOLS "" CACHE PATH "Folder with pemu-skin-gen and pemu-icon-sizes built for this machine")
  if(NOT EXISTS "${PEMU_HOST_TOOLS}/${name}")
    message(FATAL_ERROR "A cross build runs ${name} of this machine: set PEMU_HOST_TOOLS to the "
                        "tools/ folder of a native build (scripts/build-windows.sh does).")
  endif()
  add_executable(${name} IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION "${PEMU_HOST_TOOLS}/${name}")
endfunction()
