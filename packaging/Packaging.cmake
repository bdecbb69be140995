# Install rules. The Debian package comes from debian/ (dh installs with
# these rules); the doc folder's copyright and changelog are debhelper's.
#
# Included from the top-level CMakeLists.txt after include(CTest), so that
# BUILD_TESTING is known here.

include(GNUInstallDirs)

# Reverse-DNS id: names the desktop entry, the metainfo file and the icon, so
# that the software centre, the menu and the icon theme find each other.
set(ZOLTA_APP_ID de.zolta.Zolta)

# The man page and the AppStream data carry the version and date of
# debian/changelog's newest entry (packaging/Changelog.cmake).
configure_file(${CMAKE_CURRENT_LIST_DIR}/Zolta.1.in
    ${CMAKE_BINARY_DIR}/packaging/Zolta.1 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${ZOLTA_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${ZOLTA_APP_ID}.metainfo.xml @ONLY)

install(TARGETS Zolta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZOLTA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${ZOLTA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/packaging/Zolta.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The artwork is called zolta.*; installed under the app id it cannot clash
# with another package's "zolta" icon.
foreach(size 16x16 32x32 48x48 128x128)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/hicolor/${size}/apps/zolta.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps
        RENAME ${ZOLTA_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/hicolor/scalable/apps/zolta.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${ZOLTA_APP_ID}.svg)

if(BUILD_TESTING)
    add_test(NAME package
        COMMAND ${PROJECT_SOURCE_DIR}/tests/package/test_package.sh
            ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/packages)
    set_tests_properties(package PROPERTIES LABELS package TIMEOUT 900)
endif()
