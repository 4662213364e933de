# Installation into /usr and the Debian package; scripts/package builds it
# with CPack. Included at the end of the top-level CMakeLists.txt, so that
# every program target already exists.

set(VELMAR_VERSION 2022.07.21)  # the program date
set(VELMAR_APP_ID hu.velmar.setup)

set(velmar_programs velmar-setup velmar-sim velmar-cli)
install(TARGETS ${velmar_programs} RUNTIME DESTINATION bin)
# The trend's plots, loaded by velmar-setup from its own library folder.
install(TARGETS velmar_trend_chart LIBRARY DESTINATION lib/velmar/modules)

set(pkg ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${pkg}/${VELMAR_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${pkg}/${VELMAR_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${pkg}/icons/${VELMAR_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${pkg}/icons/${VELMAR_APP_ID}-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${VELMAR_APP_ID}.png)
endforeach()
# udev reads the packages' rules from /usr/lib/udev/rules.d.
install(FILES ${CMAKE_SOURCE_DIR}/udev/70-velmar.rules DESTINATION lib/udev/rules.d)
install(FILES ${pkg}/copyright DESTINATION share/doc/velmar-setup)

# Manual pages, compressed as Debian wants them.
foreach(program ${velmar_programs})
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${program}.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND gzip -9nc ${pkg}/man/${program}.1 > ${CMAKE_BINARY_DIR}/man/${program}.1.gz
        DEPENDS ${pkg}/man/${program}.1 VERBATIM)
    list(APPEND velmar_doc_files ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
    install(FILES ${CMAKE_BINARY_DIR}/man/${program}.1.gz DESTINATION share/man/man1)
endforeach()

# Debian wants the changelog compressed, without a time stamp.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nc ${pkg}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
    DEPENDS ${pkg}/changelog VERBATIM)
add_custom_target(velmar_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz ${velmar_doc_files})
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION share/doc/velmar-setup)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmar-setup)
set(CPACK_PACKAGE_VERSION ${VELMAR_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmar Kft.")
set(CPACK_PACKAGE_CONTACT "Velmar Kft. <info@velmar.hu>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set-up program for Velmar USB instruments")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${pkg}/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries are found by dpkg-shlibdeps; Qt's platform plugins and its
# Hungarian translation are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${pkg}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
