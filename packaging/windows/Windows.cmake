# What the Windows build adds to the program: pictures at the sizes that
# scaled screens need, Qt's German texts, the file's icon and version
# resource, and the installer (cpack, NSIS).
#
# Included from src/CMakeLists.txt, so that the files made here at build time
# are sources of targets in the same directory.

find_program(ZOLTA_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ZOLTA_ICOTOOL icotool REQUIRED)

# Renders an SVG source into a square PNG of `size` pixels at build time.
function(zolta_render_svg source size png)
    get_filename_component(dir ${png} DIRECTORY)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${ZOLTA_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${source}
        DEPENDS ${source} VERBATIM)
endfunction()

# Qt for Windows is built without Qt SVG (Debian's archive serves no source
# for it here), so the pictures come as PNGs for 125 %, 150 % and 200 % too,
# drawn from the same sources; the icon picks the nearest size.
set(picture_dir ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(sized_pictures)
# picture_sources: the SVG sources, from src/CMakeLists.txt.
foreach(source ${picture_sources})
    get_filename_component(name ${source} NAME_WE)
    foreach(size 20 24 40 48 64)
        set(png ${picture_dir}/assets/sizes/${name}/${size}.png)
        zolta_render_svg(${source} ${size} ${png})
        list(APPEND sized_pictures ${png})
    endforeach()
endforeach()
qt_add_resources(zolta_lib sized_pictures PREFIX / BASE ${picture_dir} FILES ${sized_pictures})

# Qt's German texts: Windows has no shared folder of Qt translations, so the
# catalogue of the host's Qt (the same version, and a .qm file is the same on
# every platform) is built in.
find_file(ZOLTA_QT_GERMAN qtbase_de.qm
    PATHS ${QT_HOST_PATH}/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    REQUIRED)
get_filename_component(german_dir ${ZOLTA_QT_GERMAN} DIRECTORY)
qt_add_resources(zolta_lib translations
    PREFIX /translations BASE ${german_dir} FILES ${ZOLTA_QT_GERMAN})

# The file's icon at every size Windows shows it at 100 % to 200 %: the
# drawings of the Debian menu's sizes, the others rendered from its SVG.
set(ico ${CMAKE_CURRENT_BINARY_DIR}/Zolta.ico)
set(hicolor ${PROJECT_SOURCE_DIR}/assets/hicolor)
set(icon_svg ${hicolor}/scalable/apps/zolta.svg)
set(icon_pngs)
foreach(size 16 20 24 32 40 48 64 256)
    set(drawn ${hicolor}/${size}x${size}/apps/zolta.png)
    if(EXISTS ${drawn})
        list(APPEND icon_pngs ${drawn})
        continue()
    endif()
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icon/zolta_${size}.png)
    zolta_render_svg(${icon_svg} ${size} ${png})
    list(APPEND icon_pngs ${png})
endforeach()
# The 256-pixel picture stays PNG-compressed inside the icon, as Windows
# expects at that size.
list(POP_BACK icon_pngs icon_256)
add_custom_command(OUTPUT ${ico}
    COMMAND ${ZOLTA_ICOTOOL} --create --output ${ico} ${icon_pngs} --raw=${icon_256}
    DEPENDS ${icon_pngs} ${icon_256}
    VERBATIM)

# Windows versions have four numbers; ours may have fewer.
string(REGEX MATCHALL "[0-9]+" version_numbers "${PROJECT_VERSION}.0.0.0")
list(SUBLIST version_numbers 0 4 version_numbers)
list(JOIN version_numbers "," ZOLTA_FILE_VERSION_COMMAS)
list(JOIN version_numbers "." ZOLTA_FILE_VERSION)

configure_file(${CMAKE_CURRENT_LIST_DIR}/Zolta.manifest.in
    ${CMAKE_CURRENT_BINARY_DIR}/Zolta.manifest @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Zolta.rc.in ${CMAKE_CURRENT_BINARY_DIR}/Zolta.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/Zolta.rc PROPERTIES
    OBJECT_DEPENDS "${ico};${CMAKE_CURRENT_BINARY_DIR}/Zolta.manifest")
target_sources(Zolta PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/Zolta.rc)
# A window program: no console opens beside it.
set_target_properties(Zolta PROPERTIES WIN32_EXECUTABLE ON)

# The installer's welcome and finish picture (164 x 314, NSIS's size): the die
# on a pale ground.
find_program(ZOLTA_CONVERT convert REQUIRED)
set(wizard ${CMAKE_CURRENT_BINARY_DIR}/wizard.bmp)
set(wizard_die ${CMAKE_CURRENT_BINARY_DIR}/icon/zolta_128.png)
zolta_render_svg(${icon_svg} 128 ${wizard_die})
add_custom_command(OUTPUT ${wizard}
    COMMAND ${ZOLTA_CONVERT} -size 164x314 "gradient:#ffffff-#f2e4e3" ${wizard_die}
        -gravity north -geometry +0+64 -composite -type TrueColor BMP3:${wizard}
    DEPENDS ${wizard_die} VERBATIM)
add_custom_target(installer_pictures ALL DEPENDS ${wizard})

# The installer: Zolta.exe alone (linked statically, it needs nothing beside
# it), in German, per user or for all users.
install(TARGETS Zolta RUNTIME DESTINATION .)
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Zolta)
set(CPACK_PACKAGE_VENDOR "Die Zolta-Entwickler")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Zolta-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Zolta)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_ZOLTA_ICON ${ico})
set(CPACK_NSIS_ZOLTA_COPYRIGHT ${ZOLTA_COPYRIGHT})
set(CPACK_NSIS_ZOLTA_FILE_VERSION ${ZOLTA_FILE_VERSION})
set(CPACK_NSIS_ZOLTA_WIZARD ${wizard})
# Signed at cpack's time, when the environment names a certificate.
set(CPACK_NSIS_ZOLTA_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sign.sh)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackSign.cmake)
# Our own installer script (NSIS.template.in), in German only.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
include(CPack)
