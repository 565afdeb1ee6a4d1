# Installing the game like any other on a Linux desktop, and the Debian
# package (`make package`).
#
#   <prefix>/games/mirelune                         the program
#   <prefix>/share/games/mirelune/{img,sound,script} its data, found by the
#                                                   program at ../share/games/mirelune
#   <prefix>/share/applications/io.github.mirelune.Mirelune.desktop
#   <prefix>/share/metainfo/io.github.mirelune.Mirelune.metainfo.xml
#   <prefix>/share/mime/packages/io.github.mirelune.Mirelune.xml  the replay file type
#   <prefix>/share/icons/hicolor/<size>/apps/io.github.mirelune.Mirelune.{png,svg}
#   <prefix>/share/man/man6/mirelune.6.gz
#   <prefix>/share/doc/mirelune/{copyright,changelog.gz}
#
# The player's files never go under the prefix: see app/GameFolders.h.
set(MIRELUNE_APP_ID io.github.mirelune.Mirelune)
set(MIRELUNE_INSTALL_BINDIR games CACHE STRING
    "Folder of the program under the prefix: games or bin (one level, so that ../share is found)")
if(NOT MIRELUNE_INSTALL_BINDIR MATCHES "^[^/]+$")
    message(FATAL_ERROR "MIRELUNE_INSTALL_BINDIR must be one folder name (games, bin)")
endif()
set(MIRELUNE_INSTALL_DATADIR share/games/mirelune)
set(_dist ${PROJECT_SOURCE_DIR}/dist)
set(_staged ${CMAKE_BINARY_DIR}/dist)
file(MAKE_DIRECTORY ${_staged})

install(TARGETS mirelune RUNTIME DESTINATION ${MIRELUNE_INSTALL_BINDIR})

# The packed data, file by file (never whatever else lies in build/game).
foreach(_file IN LISTS MIRELUNE_GAME_DATA_FILES)
    file(RELATIVE_PATH _relative ${MIRELUNE_GAME_DIR} ${_file})
    get_filename_component(_folder ${_relative} DIRECTORY)
    install(FILES ${_file} DESTINATION ${MIRELUNE_INSTALL_DATADIR}/${_folder})
endforeach()

# The desktop entry names the program by its full path, which is known only
# when installing (`cmake --install --prefix` may differ from the configured
# prefix), so it is written then.
install(CODE "
    set(MIRELUNE_EXEC \"\${CMAKE_INSTALL_PREFIX}/${MIRELUNE_INSTALL_BINDIR}/mirelune\")
    configure_file(\"${_dist}/${MIRELUNE_APP_ID}.desktop.in\"
                   \"${_staged}/${MIRELUNE_APP_ID}.desktop\" @ONLY)
")
install(FILES ${_staged}/${MIRELUNE_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${_dist}/${MIRELUNE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${_dist}/${MIRELUNE_APP_ID}.mime.xml DESTINATION share/mime/packages
        RENAME ${MIRELUNE_APP_ID}.xml)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/hicolor DESTINATION share/icons)

# Manual page and changelog compressed as Debian wants them, without time
# stamps (gzip -n) so that two builds give the same package.
find_program(MIRELUNE_GZIP gzip REQUIRED)
foreach(_pair "mirelune.6;mirelune.6.gz" "changelog;changelog.gz")
    list(GET _pair 0 _in)
    list(GET _pair 1 _out)
    add_custom_command(OUTPUT ${_staged}/${_out}
        COMMAND ${MIRELUNE_GZIP} -9nc ${_dist}/${_in} > ${_staged}/${_out}
        DEPENDS ${_dist}/${_in}
        COMMENT "Compressing ${_in}")
    list(APPEND _compressed ${_staged}/${_out})
endforeach()
add_custom_target(mirelune_dist_files ALL DEPENDS ${_compressed})
install(FILES ${_staged}/mirelune.6.gz DESTINATION share/man/man6)
install(FILES ${_staged}/changelog.gz ${_dist}/copyright DESTINATION share/doc/mirelune)

# The Debian package: CPack's DEB generator, the runtime libraries' packages
# computed by dpkg-shlibdeps from what the program links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirelune)
set(CPACK_PACKAGE_VENDOR "The MIRELUNE developers")
set(CPACK_PACKAGE_CONTACT "The MIRELUNE developers <mirelune@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shoot-'em-up under the full moon with illustrated talk scenes")
# CPack indents each line of the long description as the control file wants.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A full moon hangs over a misty lake and a dark forest; bats have been\n"
    "stealing the kintsuba, and two friends set out to take them back: Shiro,\n"
    "the moon rabbit's heroine, and Hotaru, who flies astride a firefly\n"
    "lantern. A horizontally scrolling shoot-'em-up with illustrated talk\n"
    "scenes: this trial edition holds two stages, one for each heroine, each\n"
    "with her prologue, boss and closing talk. The talk scenes are in\n"
    "Japanese. Keyboard or game pad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game draws every word with an installed face, found through fontconfig
# at run time: Japanese text in IPAGothic (or Noto CJK), English text in
# DejaVu Sans; without them it can show no text at all. dpkg-shlibdeps's
# libraries are added to this list.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/mirelune/mirelune")
include(CPack)
