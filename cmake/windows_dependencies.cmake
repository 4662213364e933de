# What the Windows build takes from the toolchain's cache folder
# (scripts/windows-toolchain): hidapi's Windows backend compiled in
# statically, and libjpeg-turbo built for mingw.
set(VELMAR_WINDOWS_DEPS "$ENV{HOME}/.cache/velmar/mingw-qt-6.4.2" CACHE PATH
    "Folder holding hidapi/ (its source) and libjpeg/ (built for mingw)")
enable_language(C)

add_library(velmar_hidapi STATIC "${VELMAR_WINDOWS_DEPS}/hidapi/windows/hid.c")
target_include_directories(velmar_hidapi PUBLIC "${VELMAR_WINDOWS_DEPS}/hidapi/hidapi")
# hid.c loads hid.dll and cfgmgr32.dll itself at hid_init.
target_compile_definitions(velmar_hidapi PRIVATE _WIN32_WINNT=0x0601)
target_compile_options(velmar_hidapi PRIVATE -w)

add_library(velmar_jpeg STATIC IMPORTED)
set_target_properties(velmar_jpeg PROPERTIES
    IMPORTED_LOCATION "${VELMAR_WINDOWS_DEPS}/libjpeg/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${VELMAR_WINDOWS_DEPS}/libjpeg/include")

# The programs find the mingw runtime and Qt's DLLs beside them once
# packaged; tests run them under Wine with the folders on WINEPATH.
set(VELMAR_WINE_RUN "${CMAKE_SOURCE_DIR}/scripts/wine-run")
set(CMAKE_CROSSCOMPILING_EMULATOR "${VELMAR_WINE_RUN}")

# Fonts for the offscreen tests under Wine: DejaVu Sans alone, the sans font
# the Linux tests get from fontconfig, so that an unknown family falls back
# to it and not to a monospaced one.
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/fonts")
foreach(font DejaVuSans DejaVuSans-Bold)
    if(EXISTS "/usr/share/fonts/truetype/dejavu/${font}.ttf")
        file(CREATE_LINK "/usr/share/fonts/truetype/dejavu/${font}.ttf" "${CMAKE_BINARY_DIR}/fonts/${font}.ttf" SYMBOLIC)
    endif()
endforeach()
