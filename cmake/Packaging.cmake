# Packages made by `cpack` in the build folder:
#  - a relocatable archive of the program folder (unpack anywhere writable and run ./pcvimo);
#  - a Debian package that puts the program folder in /opt/pcvimo, with a menu entry and an icon.
# The menu entry and the icon live outside the program folder, so they are their own component,
# left out of `cmake --install` and of the archive.

install(FILES packaging/pcvimo.desktop DESTINATION /usr/share/applications COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES packaging/pcvimo.svg DESTINATION /usr/share/icons/hicolor/scalable/apps
        COMPONENT desktop EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME pcvimo)
set(CPACK_PACKAGE_VENDOR "PC Vimo 2")
set(CPACK_PACKAGE_CONTACT "PC Vimo 2 maintainers <pcvimo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Farrowing records from hand terminals on a serial line")
set(CPACK_PACKAGE_DESCRIPTION
    "PC Vimo 2 is the PC program of a pig farm's farrowing unit. It polls the hand terminals on a serial line, stores each farrowing record in a daily log file and shows the records in a grid.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser")
# postinst gives the group pcvimo the three data folders when the package makes them, never what is
# in them; postrm removes them on purge. The package ships no file inside them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst
                                      ${PROJECT_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What differs between the two: where the program folder goes and whether the menu entry comes too.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/PcVimoCPackPerGenerator.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} [=[
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /opt/pcvimo)
  set(CPACK_COMPONENTS_ALL program desktop)
else()
  set(CPACK_PACKAGE_FILE_NAME "pcvimo-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME}")
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON) # unpacks into one folder of that name
  set(CPACK_COMPONENTS_ALL program)
endif()
]=])

include(CPack)
