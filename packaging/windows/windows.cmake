# The Windows side of the programs: the window program is a Windows GUI
# executable (no console opens beside it), the other two stay console
# programs; each carries a version resource and the program's icon.
# scripts/package-windows makes the zip and the installer from the build.
set(VELMAR_VERSION 2022.07.21)  # the program date
string(REPLACE "." "," VELMAR_VERSION_COMMAS "${VELMAR_VERSION}.0")
string(REGEX REPLACE ",0([1-9])" ",\\1" VELMAR_VERSION_COMMAS "${VELMAR_VERSION_COMMAS}")
set(VELMAR_ICON "${CMAKE_CURRENT_LIST_DIR}/velmar-setup.ico")

set_target_properties(velmar-setup PROPERTIES WIN32_EXECUTABLE ON)
foreach(VELMAR_PROGRAM velmar-setup velmar-cli velmar-sim)
    if(VELMAR_PROGRAM STREQUAL velmar-setup)
        set(VELMAR_DESCRIPTION "Beállító program a Velmar Kft. USB csatlakozós készülékeihez")
    elseif(VELMAR_PROGRAM STREQUAL velmar-cli)
        set(VELMAR_DESCRIPTION "A Velmar készülékek parancssori eszköze")
    else()
        set(VELMAR_DESCRIPTION "Virtuális Velmar készülék")
    endif()
    configure_file("${CMAKE_CURRENT_LIST_DIR}/version.rc.in" "${CMAKE_BINARY_DIR}/${VELMAR_PROGRAM}.rc" @ONLY)
    target_sources(${VELMAR_PROGRAM} PRIVATE "${CMAKE_BINARY_DIR}/${VELMAR_PROGRAM}.rc")
endforeach()
