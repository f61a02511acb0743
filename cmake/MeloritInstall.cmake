# The install tree. The program folder <prefix>/lib/melorit/ is laid out like
# a build folder's bin/: both programs, libtrackel, the language files and the
# demo song side by side, so the programs find their data beside themselves.
# <prefix>/bin/ holds relative links to the two programs; the desktop entry,
# the icons, the MIME type and the manual page go to <prefix>/share/.
# A marker file tells the programs they are installed: their configuration
# then lives in the user's configuration folder.

set(MELORIT_INSTALL_PROGRAM_DIR lib/melorit)
set(MELORIT_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/resources/desktop)

# The programs find libtrackel beside themselves, whatever the prefix.
set_target_properties(melorit melorit-cli PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS melorit melorit-cli trackel
  RUNTIME DESTINATION ${MELORIT_INSTALL_PROGRAM_DIR}
  LIBRARY DESTINATION ${MELORIT_INSTALL_PROGRAM_DIR} NAMELINK_SKIP)

file(GLOB MELORIT_INSTALL_LANGUAGES ${CMAKE_SOURCE_DIR}/resources/lang/*.lng)
install(FILES ${MELORIT_INSTALL_LANGUAGES} ${CMAKE_SOURCE_DIR}/resources/demo/au-clair-de-la-lune.kar
  DESTINATION ${MELORIT_INSTALL_PROGRAM_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/lang/fr.lng
  DESTINATION ${MELORIT_INSTALL_PROGRAM_DIR} RENAME melorit.dll)

set(marker ${CMAKE_BINARY_DIR}/install/.melorit-installed)
file(WRITE ${marker}
  "This Melorit is installed: its configuration lives in ~/.config/melorit/.\n")
install(FILES ${marker} DESTINATION ${MELORIT_INSTALL_PROGRAM_DIR})

# bin/melorit and bin/melorit-cli: relative links, made at install time so
# they follow DESTDIR and --prefix.
foreach(program melorit melorit-cli)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    message(STATUS \"Installing: \${bin}/${program}\")
    file(CREATE_LINK ../${MELORIT_INSTALL_PROGRAM_DIR}/${program} \"\${bin}/${program}\" SYMBOLIC)")
endforeach()

# Desktop integration.
install(FILES ${MELORIT_DESKTOP_DIR}/melorit.desktop DESTINATION share/applications)
install(FILES ${MELORIT_DESKTOP_DIR}/melorit-mime.xml DESTINATION share/mime/packages
  RENAME melorit.xml)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${MELORIT_DESKTOP_DIR}/icons/melorit-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME melorit.png)
endforeach()
install(FILES ${MELORIT_DESKTOP_DIR}/icons/melorit.svg DESTINATION share/icons/hicolor/scalable/apps)

# The manual pages and the changelog, compressed as Debian keeps them, the
# copyright (GPL-3.0-or-later) and the user guide.
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/install/changelog
  @ONLY)
set(compressed_files)
foreach(source docs/melorit.1 docs/melorit-cli.1 ${CMAKE_BINARY_DIR}/install/changelog)
  get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/install/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND compressed_files ${compressed})
endforeach()
add_custom_target(melorit_install_files ALL DEPENDS ${compressed_files})
install(FILES ${CMAKE_BINARY_DIR}/install/melorit.1.gz ${CMAKE_BINARY_DIR}/install/melorit-cli.1.gz
  DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/install/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
  DESTINATION share/doc/melorit)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION share/doc/melorit)
file(GLOB MELORIT_INSTALL_PICTURES ${CMAKE_SOURCE_DIR}/docs/*.png)
install(FILES ${MELORIT_INSTALL_PICTURES} DESTINATION share/doc/melorit/docs)

include(${CMAKE_SOURCE_DIR}/packaging/MeloritDeb.cmake)
