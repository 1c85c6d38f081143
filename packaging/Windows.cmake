# The Windows program as a runnable folder, an installer and a portable zip, all from one installation:
#     cmake --install <build> --prefix <folder>     the programs with every DLL and plugin they load
#     cpack --config <build>/CPackConfig.cmake      OrvaConfigurator-<version>-win64.exe (NSIS) and .zip
#     packaging/windows-msi.sh <folder> <version>   OrvaConfigurator-<version>-win64.msi (wixl)
# scripts/windows-build runs all three and signs what they make when a certificate is given (scripts/windows-sign).
# Included once, at the end of the top-level CMakeLists.txt, after every install rule; only for Windows targets.
if(NOT WIN32)
    return()
endif()

# The programs are installed into bin/ (app/CMakeLists.txt); Windows looks for a program's DLLs beside it and Qt for
# its plugins in folders beside it, so everything goes there.
set(ORVA_WINDOWS_BINDIR bin)

# Qt's libraries, and the plugins the window loads: the platform, the native style and the image format of the icon
# (PNG is read by Qt Gui itself); and the platform without a display on which vskwrite draws its labels.
set(orva_qt_dlls Qt5::Core Qt5::Gui Qt5::Widgets)
foreach(qt_target IN LISTS orva_qt_dlls)
    install(FILES $<TARGET_FILE:${qt_target}> DESTINATION ${ORVA_WINDOWS_BINDIR})
endforeach()
foreach(plugin platforms=Qt5::QWindowsIntegrationPlugin platforms=Qt5::QMinimalIntegrationPlugin
               styles=Qt5::QWindowsVistaStylePlugin imageformats=Qt5::QICOPlugin)
    string(REPLACE "=" ";" plugin ${plugin})
    list(GET plugin 0 folder)
    list(GET plugin 1 qt_target)
    if(NOT TARGET ${qt_target})
        message(FATAL_ERROR "The Qt for Windows has no ${qt_target}: build it with scripts/windows-qt")
    endif()
    install(FILES $<TARGET_FILE:${qt_target}> DESTINATION ${ORVA_WINDOWS_BINDIR}/${folder})
endforeach()

# The compiler's run-time libraries: the C++ library, the unwinder and the POSIX threads the C++ library uses.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
        find_file(runtime_path_${runtime} ${runtime}
            PATHS /usr/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32/lib /usr/lib/gcc/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32
            PATH_SUFFIXES 12-posix 13-posix 14-posix NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
        set(runtime_path ${runtime_path_${runtime}})
    endif()
    if(NOT EXISTS "${runtime_path}")
        message(FATAL_ERROR "${runtime} not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    install(FILES ${runtime_path} DESTINATION ${ORVA_WINDOWS_BINDIR})
endforeach()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME OrvaConfigurator)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vaskor Quendra SA")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME OrvaConfigurator-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "ORVA Configurator")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "ORVA Configurator")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/windows-notice.txt)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
# The staged programs and libraries are signed before they are packed.
set(CPACK_ORVA_WINDOWS_SIGN ${PROJECT_SOURCE_DIR}/scripts/windows-sign)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/windows-sign-staged.cmake)

# The Start-menu entry starts bin\OrvaConfigurator.exe and shows that program's own icon.
set(CPACK_PACKAGE_EXECUTABLES OrvaConfigurator "ORVA Configurator")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ${ORVA_WINDOWS_BINDIR})
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer for a 64-bit program: it runs where the program runs (a 64-bit Wine included) and writes the
# 64-bit view of the registry. The uninstaller, which the installer writes out when it runs, is signed as makensis
# makes it (scripts/windows-sign: only when a certificate is given).
# (NSIS takes a backquote as a quote; CPack does not pass double quotes on.)
set(CPACK_NSIS_DEFINES "Target amd64-unicode\n!include `${CMAKE_CURRENT_LIST_DIR}/windows-filetype.nsh`\n\
!uninstfinalize `'${CPACK_ORVA_WINDOWS_SIGN}' '%1'`")
# The parameter files' type, as the MSI package registers it (windows-filetype.nsh).
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro OrvaRegisterFileType")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro OrvaRemoveFileType")
# The installer's title and the Start-menu folder.
set(CPACK_NSIS_PACKAGE_NAME "ORVA Configurator")
set(CPACK_NSIS_DISPLAY_NAME "ORVA Configurator")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icon.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/icon.ico)
# The icon of the entry in the list of installed programs, and who made it.
set(CPACK_NSIS_INSTALLED_ICON_NAME "${ORVA_WINDOWS_BINDIR}\\\\OrvaConfigurator.exe")
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.orva.example.net")
set(CPACK_NSIS_CONTACT "support@orva.example.net")
# An earlier version is removed before this one goes in (silently too, with /S).
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)

include(CPack)
