# Installs the build tree into a staging prefix and checks what a user's system gets.
# -DBUILD_DIR, -DPREFIX, -DVERSION, -DMANUAL_FROM_BIN
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(expected
    bin/terminor bin/terminor-cli
    share/applications/terminor.desktop
    share/metainfo/de.maltrecht.terminor.metainfo.xml
    share/icons/hicolor/scalable/apps/terminor.svg
    share/icons/hicolor/48x48/apps/terminor.png
    share/icons/hicolor/256x256/apps/terminor.png
    share/man/man1/terminor.1.gz share/man/man1/terminor-cli.1.gz
    share/doc/terminor/copyright share/doc/terminor/changelog.Debian.gz)
foreach(file IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# The installed program finds its manual relative to its own folder.
if(NOT EXISTS ${PREFIX}/bin/${MANUAL_FROM_BIN}/Terminor.pdf)
    message(FATAL_ERROR "the manual is not at bin/${MANUAL_FROM_BIN}/Terminor.pdf")
endif()

file(READ ${PREFIX}/share/applications/terminor.desktop desktop)
foreach(line "Name=Terminor" "Comment=Spielpläne für Tischtennis-Ligen" "Exec=terminor %f" "Icon=terminor"
             "Categories=Office;")
    string(FIND "${desktop}" "${line}" at)
    if(at LESS 0)
        message(FATAL_ERROR "desktop entry lacks \"${line}\"")
    endif()
endforeach()

execute_process(COMMAND ${PREFIX}/bin/terminor-cli --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "${VERSION}")
    message(FATAL_ERROR "installed terminor-cli --version: ${rc} ${out}")
endif()
