# cmake -DROOT=<source folder> -DLAYERS=<folders, bottom first, separated by
#       commas> -P CheckLayers.cmake
#
# Reads the #include lines of every source file in the layer folders and fails
# when a file includes a header of a folder above its own in LAYERS (or of a
# folder that is no layer, such as tests/). A file belongs to the longest
# folder of LAYERS its path starts with, so "app/mainwin" can sit below "app".
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT OR NOT LAYERS)
  message(FATAL_ERROR "usage: cmake -DROOT=<dir> -DLAYERS=<a,b,...> -P CheckLayers.cmake")
endif()
string(REPLACE "," ";" LAYERS "${LAYERS}")

# The index in LAYERS of the longest folder that holds `path`, or -1.
function(layer_of path out)
  set(best -1)
  set(best_length 0)
  set(index 0)
  foreach(layer IN LISTS LAYERS)
    string(LENGTH "${layer}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    if(head STREQUAL "${layer}/" AND length GREATER best_length)
      set(best ${index})
      set(best_length ${length})
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} ${best} PARENT_SCOPE)
endfunction()

set(violations 0)
set(files_read 0)
foreach(layer IN LISTS LAYERS)
  file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/${layer}/*.cpp" "${ROOT}/${layer}/*.h")
  foreach(source IN LISTS sources)
    layer_of("${source}" own)
    list(GET LAYERS ${own} own_layer)
    if(NOT own_layer STREQUAL layer)
      continue() # a file of a deeper folder, checked with that folder
    endif()
    math(EXPR files_read "${files_read} + 1")
    file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" header "${line}")
      layer_of("${header}" target)
      if(target EQUAL -1 OR target GREATER own)
        message(SEND_ERROR "${source} (${own_layer}/) includes \"${header}\", "
                           "which is not in ${own_layer}/ or a folder below it")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(files_read EQUAL 0)
  message(FATAL_ERROR "no source file found under ${ROOT}")
endif()
if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) against the layer order: ${LAYERS}")
endif()
message(STATUS "${files_read} files include only their own folder or folders below it")
