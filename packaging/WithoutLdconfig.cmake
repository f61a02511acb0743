# Run by cpack after the package is built (CPACK_POST_BUILD_SCRIPTS).
# CPack's DEB generator gives every package with a shared library under
# /usr/lib a postinst and a postrm that run ldconfig. libtrackel lives in the
# program folder, /usr/lib/melorit, found through the programs' RPATH
# ($ORIGIN) and never through the linker's cache: those scripts only cost a
# needless ldconfig (and lintian's maintscript-calls-ldconfig). The package is
# rebuilt without them when they hold nothing else.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${deb}" "${tree}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot unpack ${deb}")
  endif()
  set(rebuild FALSE)
  foreach(script postinst postrm)
    set(path "${tree}/DEBIAN/${script}")
    if(EXISTS "${path}")
      file(STRINGS "${path}" lines)
      list(FILTER lines EXCLUDE REGEX "^(#!/bin/sh|set -e|fi|[ \t]*ldconfig|if \\[ \"\\$1\" = \"(configure|remove)\" \\]; then|[ \t]*)$")
      if(lines STREQUAL "")
        file(REMOVE "${path}")
        set(rebuild TRUE)
      endif()
    endif()
  endforeach()
  if(rebuild)
    execute_process(COMMAND dpkg-deb --root-owner-group -b "${tree}" "${deb}"
                    OUTPUT_QUIET RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot rebuild ${deb}")
    endif()
  endif()
  file(REMOVE_RECURSE "${tree}")
endforeach()
