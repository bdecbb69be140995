# Install rules and the Debian package (cpack -G DEB).
#
# Included from the top-level CMakeLists.txt after include(CTest), so that
# BUILD_TESTING is known here.

include(GNUInstallDirs)

# Reverse-DNS id: names the desktop entry, the metainfo file and the icon, so
# that the software centre, the menu and the icon theme find each other.
set(ZOLTA_APP_ID de.zolta.Zolta)

install(TARGETS Zolta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZOLTA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZOLTA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

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

# Debian's doc directory holds the licence as "copyright" and a compressed
# changelog; the man page is compressed too. gzip -n keeps the package
# reproducible. Done at configure time so that building only the Zolta target
# is enough for an install.
set(ZOLTA_GZIPPED_DIR ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${ZOLTA_GZIPPED_DIR})
foreach(source changelog Zolta.1)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_LIST_DIR}/${source})
    execute_process(COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/${source}
        OUTPUT_FILE ${ZOLTA_GZIPPED_DIR}/${source}.gz
        RESULT_VARIABLE gzip_result)
    if(NOT gzip_result EQUAL 0)
        message(FATAL_ERROR "gzip ${source}: ${gzip_result}")
    endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zolta RENAME copyright)
install(FILES ${ZOLTA_GZIPPED_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zolta)
install(FILES ${ZOLTA_GZIPPED_DIR}/Zolta.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian versions have three parts; the fourth of the project version is for
# the About box only.
set(ZOLTA_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zolta)
set(CPACK_PACKAGE_VENDOR "Die Zolta-Entwickler")
set(CPACK_PACKAGE_VERSION "${ZOLTA_PACKAGE_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draws random whole numbers between 1 and N")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Zolta is a small desktop tool with a German user interface. Pick an upper\n"
    "bound N, press the hand, and the drawn number lands in the result list.\n"
    "Duplicates can be skipped, all of 1..N can be drawn in random order, and\n"
    "the list can be copied to the clipboard.")
# The build type carries debug info; the package ships without it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Die Zolta-Entwickler <zolta@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends is computed by dpkg-shlibdeps from what the binary links, and
# appended to this: the packages of two files the program loads at run time,
# Qt's SVG icon engine (a plug-in, which draws the pictures where a screen
# scales) and Qt's German translation. The engine's package differs between
# releases (libqt6svg6 up to Qt 6.4, qt6-svg-plugins from 6.6 on), so the
# package that holds each file on the building machine is named.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "")
foreach(file "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/iconengines/libqsvgicon.so"
        "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_de.qm")
    execute_process(COMMAND dpkg-query --search "${file}"
        OUTPUT_VARIABLE owner OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE owner_result ERROR_QUIET)
    if(owner_result EQUAL 0 AND owner MATCHES "^([^:]+)")
        list(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
    else()
        message(WARNING "No installed package holds ${file}: the Debian package will "
            "not name it (scripts/deps.sh build installs it)")
    endif()
endforeach()
list(JOIN CPACK_DEBIAN_PACKAGE_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)

if(BUILD_TESTING)
    add_test(NAME package
        COMMAND ${PROJECT_SOURCE_DIR}/tests/package/test_package.sh
            ${CMAKE_BINARY_DIR} ${ZOLTA_APP_ID} ${ZOLTA_PACKAGE_VERSION})
    set_tests_properties(package PROPERTIES LABELS package TIMEOUT 240)
endif()
