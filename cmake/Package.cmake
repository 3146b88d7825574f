# `make deb`: a Debian package of the tree `cmake --install` makes under /usr, through CPack.
set(MARQUILL_MAINTAINER "The Marquill developers <maintainers@users.noreply.c-seed-25024064.example>")

# What a Debian package carries beside the program: the copyright and the changelog.
execute_process(COMMAND date -u -R -d "${MARQUILL_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE MARQUILL_RELEASE_DATE_RFC OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
                   COMMAND gzip -9 -n -f -k ${PROJECT_BINARY_DIR}/packaging/changelog
                   DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog)
add_custom_target(marquill_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/marquill)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marquill)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "celebrity designer for The Pemms")
# The synopsis is the summary above; these lines follow it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Marquill is a tool for players of the life-simulation game The Pemms. A
wizard with a live 3D preview designs a celebrity (appearance, name,
personality, interests and fame) and saves it into the game's
TemplateCelebrity folder; Marquill also swaps celebrities into the
neighbourhoods of a game installed under Wine, keeping a backup of each
person it replaces. The marquill command does the same work without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MARQUILL_MAINTAINER}")
# Not `games`: that section is for games themselves, installed in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the binaries link (also libpictrix.so's libjpeg) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no binary shows:
# - fonts-comic-neue: the wizard's dialogs are drawn in it.
# - qt6-wayland: Qt's Wayland platform plugin, loaded by name on a Wayland desktop (X11's
#   plugin comes with libqt6gui6, and the sound back ends with libqt6multimedia6, which the
#   binary links).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
