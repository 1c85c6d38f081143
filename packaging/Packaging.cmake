# Installation on a Linux desktop, and the Debian package made from it by CPack:
#     cmake --install <build>        the program, vskinfo, the menu entry and the icon
#     cpack --config <build>/CPackConfig.cmake -G DEB
# Included once, at the end of the top-level CMakeLists.txt, after every install rule.
if(NOT (UNIX AND NOT APPLE))
    return()
endif()

include(GNUInstallDirs)

set(ORVA_PACKAGE_NAME orva-configurator)

# The menu entry; it names the icon and starts the program from the PATH, so it fits any installation prefix.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orva-configurator.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon theme wants a PNG: the program's own 48 x 48 icon, taken out of resources/icon.ico at build time.
if(NOT CMAKE_CROSSCOMPILING)
    add_executable(orva_icon_png ${CMAKE_CURRENT_LIST_DIR}/IconPng.cpp)
    target_link_libraries(orva_icon_png PRIVATE orva_common_cfg Qt5::Gui)
    set(orva_icon_png_file ${CMAKE_BINARY_DIR}/packaging/${ORVA_PACKAGE_NAME}.png)
    add_custom_command(OUTPUT ${orva_icon_png_file}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND orva_icon_png ${PROJECT_SOURCE_DIR}/resources/icon.ico ${orva_icon_png_file} 48
        DEPENDS orva_icon_png ${PROJECT_SOURCE_DIR}/resources/icon.ico
        COMMENT "Taking the 48 x 48 icon out of icon.ico"
        VERBATIM)
    add_custom_target(orva_icon ALL DEPENDS ${orva_icon_png_file})
    install(FILES ${orva_icon_png_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ORVA_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vaskor Quendra SA")
set(CPACK_PACKAGE_CONTACT "Vaskor Quendra SA <support@orva.example.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One line of the control file per line here, as Debian wants them: under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "ORVA Configurator writes the configuration of an Orva communication module"
    "(modes Kerv, GSM, LAN and SMS) onto an SD card, as the parameter file that"
    "the module reads at start-up."
    ""
    "The package also holds vskinfo, which shows and checks parameter files.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${ORVA_PACKAGE_NAME})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The package is made from an installation, not from the sources.
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.orva.example.net")
# The libraries the two programs link come from dpkg-shlibdeps (package dpkg-dev). Qt's X11 platform plugin and
# its icon image plugin, which the window needs, come with libqt5gui5, which that finds too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The identifier file and the portal are opened by xdg-open; the card is labelled through UDisks2.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, udisks2")

include(CPack)
