# Installation on a Linux desktop, and the Debian package made from it by CPack:
#     cmake --install <build>        the program, vskwrite, vskinfo, their manual pages, the menu entry, the icons,
#                                    the AppStream metadata and the copyright file
#     cpack --config <build>/CPackConfig.cmake -G DEB
# Included once, at the end of the top-level CMakeLists.txt, after every install rule.
if(NOT (UNIX AND NOT APPLE))
    return()
endif()

include(GNUInstallDirs)

set(ORVA_PACKAGE_NAME orva-configurator)

# The menu entry; it names the icon and starts the program from the PATH, so it fits any installation prefix.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orva-configurator.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The type of the parameter files (*.VSK), which the menu entry opens; the desktop learns it through the
# shared-mime-info trigger.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orva-configurator-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME ${ORVA_PACKAGE_NAME}.xml)

# The icon in every size of the hicolor theme and as an SVG, all drawn by resources/draw_images.py; the window takes
# its icon from the theme too.
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${ORVA_PACKAGE_NAME}-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${ORVA_PACKAGE_NAME}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${ORVA_PACKAGE_NAME}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# What software centres show: AppStream metadata with the release of this version.
set(ORVA_APPSTREAM_ID net.example.orva.configurator)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${ORVA_PACKAGE_NAME}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${ORVA_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${ORVA_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${ORVA_PACKAGE_NAME})

# The manual pages of the three programs, compressed as Debian keeps them.
find_program(ORVA_GZIP gzip)
foreach(page OrvaConfigurator vskinfo vskwrite)
    # The page's heading carries the project's version.
    set(source ${CMAKE_BINARY_DIR}/packaging/man/${page}.1)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${page}.1.in ${source} @ONLY)
    if(ORVA_GZIP)
        set(compressed ${CMAKE_BINARY_DIR}/packaging/man/${page}.1.gz)
        add_custom_command(OUTPUT ${compressed}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
            COMMAND ${ORVA_GZIP} -9 -n -c ${source} > ${compressed}
            DEPENDS ${source})
        list(APPEND ORVA_MAN_PAGES ${compressed})
    else()
        list(APPEND ORVA_MAN_PAGES ${source})
    endif()
endforeach()
add_custom_target(orva_man_pages ALL DEPENDS ${ORVA_MAN_PAGES})
install(FILES ${ORVA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

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
    "The package also holds vskwrite, which writes a card from a script, and"
    "vskinfo, which shows and checks parameter files.")
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
# QtKeychain loads libsecret at run time to reach the Secret Service (GNOME Keyring, KWallet), where the PIN and the
# access point password are kept: dpkg-shlibdeps cannot see that.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsecret-1-0 (>= 0.18)")
# The identifier file and the portal are opened by xdg-open; the card is labelled through UDisks2; Qt's own
# translations give the message boxes' standard buttons the window's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, udisks2, qttranslations5-l10n")

include(CPack)
