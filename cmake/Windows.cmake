# The Windows program: pcvimo.exe with its icon, version and manifest, and a program folder
# (`cmake --install`) that runs as it is: the Qt and MinGW DLLs and the plugins beside it.
# packaging/windows/pcvimo.nsi makes the installer from that folder.

# The icon is drawn from the project's SVG at build time (rsvg-convert, ImageMagick's convert).
find_program(PCVIMO_RSVG rsvg-convert REQUIRED)
find_program(PCVIMO_CONVERT convert REQUIRED)
set(PCVIMO_ICON ${PROJECT_BINARY_DIR}/windows/pcvimo.ico)
set(icon_pngs)
foreach(size 16 24 32 48 64 256)
  list(APPEND icon_pngs ${PROJECT_BINARY_DIR}/windows/pcvimo-${size}.png)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/windows/pcvimo-${size}.png
                     COMMAND ${PCVIMO_RSVG} -w ${size} -h ${size} ${PROJECT_SOURCE_DIR}/packaging/pcvimo.svg
                             -o ${PROJECT_BINARY_DIR}/windows/pcvimo-${size}.png
                     DEPENDS ${PROJECT_SOURCE_DIR}/packaging/pcvimo.svg VERBATIM)
endforeach()
add_custom_command(OUTPUT ${PCVIMO_ICON} COMMAND ${PCVIMO_CONVERT} ${icon_pngs} ${PCVIMO_ICON}
                   DEPENDS ${icon_pngs} VERBATIM)
add_custom_target(pcvimo_icon DEPENDS ${PCVIMO_ICON})

set(PCVIMO_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/pcvimo.manifest)
# "1.00": the resource's second number is the minor version as written, 0 for "00".
math(EXPR PCVIMO_VERSION_MINOR "${PROJECT_VERSION_MINOR} + 0")
configure_file(packaging/windows/pcvimo.rc.in ${PROJECT_BINARY_DIR}/windows/pcvimo.rc @ONLY)
target_sources(pcvimo PRIVATE ${PROJECT_BINARY_DIR}/windows/pcvimo.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/windows/pcvimo.rc PROPERTIES
                            OBJECT_DEPENDS "${PCVIMO_ICON};${PCVIMO_MANIFEST}")
add_dependencies(pcvimo pcvimo_icon)
set_target_properties(pcvimo PROPERTIES WIN32_EXECUTABLE ON)
install(FILES ${PCVIMO_ICON} DESTINATION .)

# The Qt libraries the program links, and the MinGW runtime they and the program need.
find_package(Qt6 REQUIRED COMPONENTS PrintSupport)
foreach(module Core Gui Widgets PrintSupport SerialPort)
  install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "The MinGW runtime ${dll} was not found")
  endif()
  install(FILES ${path} DESTINATION .)
endforeach()
# Plugins, in the folders Qt looks for beside the executable: the Windows platform (offscreen
# too, for runs without a desktop), the Windows look, and the image formats the program reads.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>
        DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
install(FILES $<TARGET_FILE:Qt6::QICOPlugin> $<TARGET_FILE:Qt6::QJpegPlugin> $<TARGET_FILE:Qt6::QGifPlugin>
        DESTINATION imageformats)
