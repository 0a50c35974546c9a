# Installation and the Debian package: the two programs, the manual, the desktop entry with its
# icons, the man pages and the package's documentation; `make package` runs CPack on it.
include(GNUInstallDirs)

set(TERMINOR_DIST_SOURCE ${CMAKE_SOURCE_DIR}/dist)
set(TERMINOR_DIST_BINARY ${CMAKE_BINARY_DIR}/dist)
set(TERMINOR_PACKAGE_MAINTAINER "Terminor-Team <terminor@example.org>"
    CACHE STRING "Maintainer of the Debian package (name and mail address)")
set(TERMINOR_DEBIAN_REVISION 1)
set(TERMINOR_DEBIAN_VERSION ${PROJECT_VERSION}-${TERMINOR_DEBIAN_REVISION})
# The package's documentation folder, named after the package rather than the project.
set(TERMINOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/terminor)

find_program(TERMINOR_GZIP gzip REQUIRED)
set(TERMINOR_DIST_FILES)

# A man page with the version filled in, compressed as Debian wants it (gzip -9n).
function(terminor_man_page name)
    configure_file(${TERMINOR_DIST_SOURCE}/linux/${name}.1 ${TERMINOR_DIST_BINARY}/${name}.1 @ONLY)
    add_custom_command(OUTPUT ${TERMINOR_DIST_BINARY}/${name}.1.gz
                       COMMAND ${TERMINOR_GZIP} -9 -n -k -f ${TERMINOR_DIST_BINARY}/${name}.1
                       DEPENDS ${TERMINOR_DIST_BINARY}/${name}.1 VERBATIM)
    install(FILES ${TERMINOR_DIST_BINARY}/${name}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set(TERMINOR_DIST_FILES ${TERMINOR_DIST_FILES} ${TERMINOR_DIST_BINARY}/${name}.1.gz PARENT_SCOPE)
endfunction()

if(TERMINOR_BUILD_CLI)
    install(TARGETS terminor-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    terminor_man_page(terminor-cli)
endif()

if(TERMINOR_BUILD_GUI)
    install(TARGETS terminor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    terminor_man_page(terminor)
    install(FILES ${TERMINOR_MANUAL_PDF} DESTINATION ${TERMINOR_MANUAL_INSTALL_DIR})
    install(FILES ${TERMINOR_DIST_SOURCE}/linux/terminor.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${TERMINOR_DIST_SOURCE}/linux/de.maltrecht.terminor.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${TERMINOR_DIST_SOURCE}/linux/terminor.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

    # The PNG sizes of the icon, rendered from the SVG.
    find_program(TERMINOR_RSVG_CONVERT rsvg-convert)
    if(NOT TERMINOR_RSVG_CONVERT)
        message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) is missing: run scripts/install-deps.sh")
    endif()
    foreach(size 16 24 32 48 64 128 256)
        set(png ${TERMINOR_DIST_BINARY}/icons/${size}x${size}/terminor.png)
        add_custom_command(OUTPUT ${png}
                           COMMAND ${CMAKE_COMMAND} -E make_directory ${TERMINOR_DIST_BINARY}/icons/${size}x${size}
                           COMMAND ${TERMINOR_RSVG_CONVERT} -w ${size} -h ${size}
                                   ${TERMINOR_DIST_SOURCE}/linux/terminor.svg -o ${png}
                           DEPENDS ${TERMINOR_DIST_SOURCE}/linux/terminor.svg VERBATIM)
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        list(APPEND TERMINOR_DIST_FILES ${png})
    endforeach()
endif()

# The package's copyright file and Debian change log.
string(TIMESTAMP TERMINOR_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${TERMINOR_DIST_SOURCE}/debian/copyright ${TERMINOR_DIST_BINARY}/copyright @ONLY)
configure_file(${TERMINOR_DIST_SOURCE}/debian/changelog ${TERMINOR_DIST_BINARY}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${TERMINOR_DIST_BINARY}/changelog.Debian.gz
                   COMMAND ${TERMINOR_GZIP} -9 -n -k -f ${TERMINOR_DIST_BINARY}/changelog.Debian
                   DEPENDS ${TERMINOR_DIST_BINARY}/changelog.Debian VERBATIM)
list(APPEND TERMINOR_DIST_FILES ${TERMINOR_DIST_BINARY}/changelog.Debian.gz)
install(FILES ${TERMINOR_DIST_BINARY}/copyright ${TERMINOR_DIST_BINARY}/changelog.Debian.gz
        DESTINATION ${TERMINOR_DOC_DIR})

add_custom_target(terminor_dist ALL DEPENDS ${TERMINOR_DIST_FILES})

# The Debian package. Library dependencies come from dpkg-shlibdeps; only what no library link
# shows is named here: Qt's platform plugins (loaded at run time), and as recommendations Qt's
# German texts and xdg-open for the manual.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME terminor)
set(CPACK_PACKAGE_VENDOR Maltrecht)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Spielplan-Generator für Tischtennis-Ligen")
# The extended description; CPack puts the summary above it and indents it as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Terminor berechnet den Spielplan einer Tischtennis-Staffel für eine Saison.
Er liest die Terminwünsche der Mannschaften aus dem click-TT-Export, sucht
mit vielen Threads den Plan, der sie am besten erfüllt, und schreibt ihn als
CSV-Datei für click-TT.

Das Paket enthält das Fensterprogramm terminor (Qt 6, deutsch), das
Kommandozeilenprogramm terminor-cli für den Stapelbetrieb und die Anleitung
Terminor.pdf.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TERMINOR_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TERMINOR_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TERMINOR_BUILD_GUI)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
