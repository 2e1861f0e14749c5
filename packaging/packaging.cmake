# The help beside the launcher, the Windows help file made from the same pages, the one
# portable folder that `cmake --install` lays out and CPack packs, and the Debian package
# (`cpack -G DEB`), which installs into /usr instead. A portable folder keeps brx.cfg in
# itself; installed where the user may not write, the launcher keeps it in the user's folder.

set(BRX_HELP_DIR ${PROJECT_SOURCE_DIR}/resources/help)
file(GLOB_RECURSE BRX_HELP_FILES CONFIGURE_DEPENDS RELATIVE ${BRX_HELP_DIR} ${BRX_HELP_DIR}/*)
list(SORT BRX_HELP_FILES)
list(TRANSFORM BRX_HELP_FILES PREPEND ${BRX_HELP_DIR}/ OUTPUT_VARIABLE brx_help_paths)

# The launcher opens help/index.html beside itself, so every build puts the pages there.
set(brx_help_stamp ${CMAKE_CURRENT_BINARY_DIR}/help.stamp)
add_custom_command(OUTPUT ${brx_help_stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf $<TARGET_FILE_DIR:brixmoor>/help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${BRX_HELP_DIR} $<TARGET_FILE_DIR:brixmoor>/help
    COMMAND ${CMAKE_COMMAND} -E touch ${brx_help_stamp}
    DEPENDS ${brx_help_paths}
    COMMENT "Copying the help beside the launcher" VERBATIM)
add_custom_target(brx_help ALL DEPENDS ${brx_help_stamp})

# BRX.chm, for the Windows help viewer, when a CHM compiler is found (Debian: fp-utils). It is
# part of the Windows build; elsewhere `cmake --build <dir> --target brx_chm` makes it.
find_program(BRX_CHMCMD chmcmd)
if(BRX_CHMCMD)
    set(brx_chm_dir ${CMAKE_CURRENT_BINARY_DIR}/chm)
    string(REPLACE ";" "\n" BRX_HELP_FILE_LINES "${BRX_HELP_FILES}")
    configure_file(${PROJECT_SOURCE_DIR}/packaging/chm/BRX.hhp.in
                   ${CMAKE_CURRENT_BINARY_DIR}/BRX.hhp @ONLY)
    add_custom_command(OUTPUT ${brx_chm_dir}/BRX.chm
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${brx_chm_dir}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${BRX_HELP_DIR} ${brx_chm_dir}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_BINARY_DIR}/BRX.hhp
                ${PROJECT_SOURCE_DIR}/packaging/chm/toc.hhc ${brx_chm_dir}
        COMMAND ${CMAKE_COMMAND} -E chdir ${brx_chm_dir}
                ${BRX_CHMCMD} --no-html-scan --verbosity 1 BRX.hhp
        COMMAND ${CMAKE_COMMAND} -E copy ${brx_chm_dir}/BRX.chm $<TARGET_FILE_DIR:brixmoor>
        DEPENDS ${brx_help_paths} ${CMAKE_CURRENT_BINARY_DIR}/BRX.hhp
                ${PROJECT_SOURCE_DIR}/packaging/chm/toc.hhc
        COMMENT "Compiling BRX.chm" VERBATIM)
    if(WIN32)
        add_custom_target(brx_chm ALL DEPENDS ${brx_chm_dir}/BRX.chm)
    else()
        add_custom_target(brx_chm DEPENDS ${brx_chm_dir}/BRX.chm)
    endif()
endif()

# The portable folder.
set(BRX_INSTALL_FOLDER brixmoor CACHE STRING "Name of the folder that `cmake --install` lays out")
set(dest ${BRX_INSTALL_FOLDER})
install(TARGETS brixmoor RUNTIME DESTINATION ${dest})
install(DIRECTORY ${BRX_HELP_DIR}/ DESTINATION ${dest}/help)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/brx.png DESTINATION ${dest}
        RENAME brixmoor.png)
# The licence's full text travels with the folder; the Debian package names it in its
# copyright file instead, as Debian's policy wants.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${dest})
if(WIN32)
    if(BRX_CHMCMD)
        install(FILES ${brx_chm_dir}/BRX.chm DESTINATION ${dest})
    endif()
else()
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.brixmoor.Brixmoor.desktop
                  ${PROJECT_SOURCE_DIR}/packaging/org.brixmoor.Brixmoor.metainfo.xml
            DESTINATION ${dest})
    install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/add-to-menu.sh DESTINATION ${dest})
endif()

# The Debian package's files, in the system's folders under /usr. They are a component of
# their own that a plain `cmake --install` leaves out.
if(UNIX AND NOT APPLE)
    set(deb COMPONENT debian EXCLUDE_FROM_ALL)
    set(deb_dir ${PROJECT_SOURCE_DIR}/packaging/debian)
    install(TARGETS brixmoor RUNTIME DESTINATION bin ${deb})
    install(DIRECTORY ${BRX_HELP_DIR}/ DESTINATION share/brixmoor/help ${deb})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.brixmoor.Brixmoor.desktop
            DESTINATION share/applications ${deb})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.brixmoor.Brixmoor.metainfo.xml
            DESTINATION share/metainfo ${deb})
    foreach(size 16 22 24 32 48 64 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${size}x${size}/brixmoor.png
                DESTINATION share/icons/hicolor/${size}x${size}/apps ${deb})
    endforeach()
    # The manual page and the changelog are installed compressed, without a time stamp.
    foreach(file brixmoor.6 changelog)
        add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz
            COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" gzip ${deb_dir}/${file}
                    ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz
            DEPENDS ${deb_dir}/${file} VERBATIM)
    endforeach()
    add_custom_target(brx_deb_docs ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/brixmoor.6.gz
                                                ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/brixmoor.6.gz DESTINATION share/man/man6 ${deb})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${deb_dir}/copyright
            DESTINATION share/doc/brixmoor ${deb})

    set(CPACK_PACKAGE_CONTACT "The Brixmoor developers <brixmoor@example.org>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "launcher for the ZDoom family of Doom engines")
    string(CONCAT CPACK_PACKAGE_DESCRIPTION
        "Brixmoor is a small launcher for the ZDoom family of Doom engines. In a\n"
        "handful of dialogs you pick the engine, the IWAD, the video and sound\n"
        "settings and, per game, the skill, the level, extra WAD files, a Dehacked\n"
        "patch, monster options and network options. Brixmoor turns them into one\n"
        "engine command line and starts the engine.")
    # Section games would want the program in /usr/games.
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    # Only the package holds the debian component, under /usr and stripped:
    # brixmoor_<version>_<architecture>.deb.
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/cpack_generators.cmake [[
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_ALL debian)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_STRIP_FILES ON)
endif()
]])
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack_generators.cmake)
endif()

# `cpack` in the build folder packs that folder: brixmoor-<version>-<system>.tar.gz holding
# brixmoor/ (a .zip on Windows).
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_PACKAGE_NAME brixmoor)
set(CPACK_PACKAGE_FILE_NAME brixmoor-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
include(CPack)
