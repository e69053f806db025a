cmake_minimum_required(VERSION 3.25)
# Fails when a file of a layer includes a header of a layer it does not link.
#   cmake -DPEMU_FILES=<file listing the sources> -DPEMU_LAYERS=<every layer>
#         -DPEMU_ALLOWED=<layers the target reaches> -DPEMU_TARGET=<name> -P PemuLayerCheck.cmake
# The headers in the folders of the listed sources are read as well.
file(READ ${PEMU_FILES} files)
set(folders)
foreach(file IN LISTS files)
  cmake_path(GET file PARENT_PATH folder)
  list(APPEND folders ${folder})
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
  file(GLOB headers ${folder}/*.hpp ${folder}/*.h)
  list(APPEND files ${headers})
endforeach()
list(REMOVE_DUPLICATES files)

set(faults)
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][A-Za-z0-9_]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([A-Za-z0-9_]+)/.*" "\\1" layer "${line}")
    if(layer IN_LIST PEMU_LAYERS AND NOT layer IN_LIST PEMU_ALLOWED)
      string(STRIP "${line}" line)
      list(APPEND faults "${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "${PEMU_TARGET} includes layers it does not link (it reaches: "
                      "${PEMU_ALLOWED}):\n  ${text}")
endif()
