# Installation and the Debian package.
#
# <prefix>/<KAVRO_INSTALL_DIR>/            parent folder: prize-pool.csv, the demo kavro.ini and kavro-demo.db
# <prefix>/<KAVRO_INSTALL_DIR>/Clock/      program folder: darvel, blinds/, sounds/, background/
# <prefix>/bin/kavro-clock                 starts the clock from the director's writable copy of both folders
# <prefix>/share/applications, share/icons the desktop entry and its icon
# <prefix>/share/kavro-clock/autostart     the same entry for ~/.config/autostart, not enabled by the package
#
# The package installs to /usr, so the program folder is /usr/lib/kavro/Clock.
include(GNUInstallDirs)

set(KAVRO_INSTALL_DIR "lib/kavro" CACHE STRING
    "Parent folder of the installed program folder, relative to the install prefix (. for the prefix itself)")

set(_parent ${KAVRO_INSTALL_DIR})
set(_program ${KAVRO_INSTALL_DIR}/Clock)

install(TARGETS darvel kavro-blinds RUNTIME DESTINATION ${_program})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/blinds ${CMAKE_SOURCE_DIR}/data/sounds
    ${CMAKE_SOURCE_DIR}/data/background ${CMAKE_SOURCE_DIR}/data/voice DESTINATION ${_program})
install(FILES ${CMAKE_SOURCE_DIR}/data/prize-pool.csv ${KAVRO_PARENT_DIR}/kavro-demo.db DESTINATION ${_parent})

# kavro.ini must name the demo database where it ends up, which is known only at install time: the prefix
# can be changed with cmake --install --prefix, and the package stages with DESTDIR.
install(CODE "set(_kavro_parent_dir \"${_parent}\")")
install(CODE [[
    get_filename_component(_kavro_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
    get_filename_component(_kavro_parent "${_kavro_prefix}/${_kavro_parent_dir}" ABSOLUTE)
    set(_kavro_ini "$ENV{DESTDIR}${_kavro_parent}/kavro.ini")
    message(STATUS "Installing: ${_kavro_ini}")
    string(CONCAT _kavro_text "DATABASE=${_kavro_parent}/kavro-demo.db\r\n" "FILEPATH=${_kavro_parent}/\r\n"
        "SQLSERVER=\r\n" "DBUSERNAME=\r\n" "DBPASSWORD=\r\n")
    file(WRITE "${_kavro_ini}" "${_kavro_text}")
]])

if(UNIX AND NOT APPLE)
    file(RELATIVE_PATH KAVRO_BIN_TO_PARENT /root/${CMAKE_INSTALL_BINDIR} /root/${_parent})
    configure_file(${CMAKE_SOURCE_DIR}/data/desktop/kavro-clock.in ${CMAKE_BINARY_DIR}/kavro-clock @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/kavro-clock DESTINATION ${CMAKE_INSTALL_BINDIR})

    # The entry names the launcher by its installed path, so it works without the prefix on PATH.
    install(CODE "set(_kavro_bindir \"${CMAKE_INSTALL_BINDIR}\")
        set(_kavro_appdir \"${CMAKE_INSTALL_DATAROOTDIR}/applications\")
        set(_kavro_autostartdir \"${CMAKE_INSTALL_DATAROOTDIR}/kavro-clock/autostart\")
        set(_kavro_template \"${CMAKE_SOURCE_DIR}/data/desktop/kavro-clock.desktop.in\")")
    install(CODE [[
        set(KAVRO_LAUNCHER "${_kavro_prefix}/${_kavro_bindir}/kavro-clock")
        set(_kavro_entry "$ENV{DESTDIR}${_kavro_prefix}/${_kavro_appdir}/kavro-clock.desktop")
        message(STATUS "Installing: ${_kavro_entry}")
        configure_file("${_kavro_template}" "${_kavro_entry}" @ONLY)
        # A clock box starts the clock at login once its user copies this into ~/.config/autostart.
        set(_kavro_autostart "$ENV{DESTDIR}${_kavro_prefix}/${_kavro_autostartdir}/kavro-clock.desktop")
        message(STATUS "Installing: ${_kavro_autostart}")
        configure_file("${_kavro_template}" "${_kavro_autostart}" @ONLY)
    ]])
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/kavro-clock.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/kavro-clock.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/256x256/apps)
endif()

if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
else()
    set(CPACK_GENERATOR ZIP)
endif()
set(CPACK_PACKAGE_NAME kavro-clock)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR KAVRO)
set(CPACK_PACKAGE_CONTACT "KAVRO <support@kavro.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "KAVRO Clock, a full-screen poker tournament clock")
set(CPACK_PACKAGE_DESCRIPTION "Counts blind levels and breaks down with sounds, and shows the blinds, \
players, prize pool and payouts. Works beside the KAVRO tournament manager; a demo manager database is \
included.")
# DESTDIR staging, so that kavro.ini and the desktop entry see the real /usr prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build is packaged for the machine it runs on, not for the one that built it.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
endif()
# What the program loads at run time rather than links: the X11 platform, the manager database drivers,
# the wave player and the Tahoma font of the layout; on a Wayland desktop (Raspberry Pi OS) the native
# Wayland platform, which apt installs with the recommendations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-odbc")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-wine, tdsodbc, odbc-mdbtools, qt6-wayland")
include(CPack)
