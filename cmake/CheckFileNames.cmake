# cmake -DROOT=<source folder> -DFOLDERS=<folders, separated by commas> -P CheckFileNames.cmake
#
# Fails when two files or folders under FOLDERS differ only by the case of
# their names: a clone of the repository breaks on a file system that ignores
# case (macOS, Windows).
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" FOLDERS "${FOLDERS}")
set(names)
foreach(folder IN LISTS FOLDERS)
  file(GLOB_RECURSE found LIST_DIRECTORIES true RELATIVE "${ROOT}" "${ROOT}/${folder}/*")
  list(APPEND names ${folder} ${found})
endforeach()
list(REMOVE_DUPLICATES names) # folders may hold one another
list(LENGTH names count)
if(count EQUAL 0)
  message(FATAL_ERROR "no file found under ${ROOT}")
endif()
set(seen)
set(clashes 0)
foreach(name IN LISTS names)
  string(TOLOWER "${name}" lower)
  list(FIND seen "${lower}" at)
  if(at GREATER -1)
    list(GET names ${at} other)
    message(SEND_ERROR "\"${name}\" and \"${other}\" differ only by case")
    math(EXPR clashes "${clashes} + 1")
  endif()
  list(APPEND seen "${lower}")
endforeach()
if(clashes GREATER 0)
  message(FATAL_ERROR "${clashes} name(s) differ from another only by case")
endif()
message(STATUS "${count} names, none differing from another only by case")
