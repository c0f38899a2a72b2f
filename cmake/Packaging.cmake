# Installing the player on a Linux desktop, and its Debian package.
#
# `cmake --install` puts the two programs in bin/, the desktop entry, the icon in the hicolor
# theme (scalable and fixed sizes), the manual page and the demo game. `cpack` (or the target
# `package`) turns the same install into a .deb whose library dependencies dpkg-shlibdeps
# works out, with the programs stripped and their debug information in a -dbgsym package
# beside it, as Debian ships them.
include(GNUInstallDirs)

set(_data ${PROJECT_SOURCE_DIR}/data)

install(TARGETS talewick-player RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET talewick-vbs)
  install(TARGETS talewick-vbs RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${_data}/talewick-player.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_data}/talewick-player.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_size ${TALEWICK_ICON_SIZES})
  install(FILES ${_data}/icons/talewick-player-${_size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
          RENAME talewick-player.png)
endforeach()

# The manual page carries the version of this build. It is installed compressed, as Debian
# wants manual pages; man reads it either way.
file(READ ${_data}/talewick-player.6 _man)
string(REPLACE "@VERSION@" "${PROJECT_VERSION}" _man "${_man}")
file(WRITE ${CMAKE_BINARY_DIR}/talewick-player.6 "${_man}")
file(ARCHIVE_CREATE OUTPUT ${CMAKE_BINARY_DIR}/talewick-player.6.gz
     PATHS ${CMAKE_BINARY_DIR}/talewick-player.6 FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_data}/talewick-player.6)
install(FILES ${CMAKE_BINARY_DIR}/talewick-player.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talewick-player)
# The demo game, so that an install has something to play. The program finds it from its own
# folder (bin/../share/games/talewick/demo), wherever the install put both.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/games/demo/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/games/talewick/demo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talewick-player)
set(CPACK_PACKAGE_VENDOR "Talewick player developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "player for point-and-click adventure games made with the Talewick editor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Talewick player developers <talewick@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "player for point-and-click adventure games made with the Talewick editor\n Plays a game folder as its author made it on Windows: frames, hotspots, inventory,\n sounds, music, videos, transitions and VBScript scripts; saves and loads games.")
# The shared libraries the programs link (Qt, FFmpeg, SDL, FluidSynth) ...
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ... and what they open by name at run time: the MIDI sound font and the stand-in fonts
# that keep texts the size their author saw.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# The speech service and its voice, for Options > Read Messages Aloud (greyed without them).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fluid-soundfont-gm, speech-dispatcher, espeak-ng")
# The build keeps its debug information (RelWithDebInfo); the package does not: the installed
# programs are stripped and the debug information goes into talewick-player-dbgsym (.ddeb),
# found by build id under /usr/lib/debug.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
include(CPack)
