# Two names that differ only by case are reported. Made here, in the build
# folder: a repository holding them would break the clones it guards.
set(root ${WORK}/case-clash)
file(REMOVE_RECURSE ${root})
file(WRITE ${root}/songs/PlayList.h "")
file(WRITE ${root}/songs/Playlist.h "")
file(WRITE ${root}/songs/Other.h "")
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -DFOLDERS=songs -P ${CHECK}
  RESULT_VARIABLE result ERROR_VARIABLE output)
if(result EQUAL 0 OR NOT output MATCHES "songs/Play[lL]ist.h\" and \"songs/Play[lL]ist.h\" differ only by case"
   OR output MATCHES "Other")
  message(FATAL_ERROR "the clash was not reported as it should be:\n${output}")
endif()
