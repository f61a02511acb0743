# The Debian package, built by scripts/package (cpack -G DEB). Library
# dependencies come from dpkg-shlibdeps; the list below adds what the
# programs load or start at run time, which no linker records.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME melorit)
set(CPACK_PACKAGE_VENDOR "Melorit")
set(CPACK_PACKAGE_CONTACT "Melorit developers <melorit@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "karaoke player and backing-track converter for MIDI songs")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_CURRENT_LIST_DIR}/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/melorit")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libtrackel is the package's own library: dpkg-shlibdeps finds it here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
# Qt's platform plugins (the window system) are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The encoders for MP3 and Ogg Vorbis, a General MIDI SoundFont to play with
# at once, the lyrics window's font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "lame, vorbis-tools, ffmpeg, timgm6mb-soundfont | fluid-soundfont-gm | musescore-general-soundfont, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libgl1-mesa-dri")
# No ldconfig in maintainer scripts: the library is private to the program.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/WithoutLdconfig.cmake)
include(CPack)
