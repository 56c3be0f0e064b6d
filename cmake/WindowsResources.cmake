# The icon and version information of the Windows programs. The .ico is made
# at build time from the program's SVG icon (rsvg-convert for each size,
# ImageMagick to pack them), so only the SVG is kept in the sources.
find_program(TRACKER_RSVG rsvg-convert REQUIRED)
# Debian's ImageMagick first, before any wrapper earlier on PATH.
find_program(TRACKER_MAGICK NAMES convert magick PATHS /usr/bin NO_DEFAULT_PATH)
find_program(TRACKER_MAGICK NAMES convert magick REQUIRED)

set(TRACKER_ICO ${PROJECT_BINARY_DIR}/packaging/tracker-editor.ico)
set(TRACKER_ICON_SIZES 16 24 32 48 64 256)
set(icon_pngs "")
set(icon_commands "")
foreach(size ${TRACKER_ICON_SIZES})
  set(png ${PROJECT_BINARY_DIR}/packaging/icon-${size}.png)
  list(APPEND icon_pngs ${png})
  list(APPEND icon_commands COMMAND ${TRACKER_RSVG} -w ${size} -h ${size}
    -o ${png} ${PROJECT_SOURCE_DIR}/packaging/icons/tracker-editor.svg)
endforeach()
add_custom_command(OUTPUT ${TRACKER_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  ${icon_commands}
  COMMAND ${TRACKER_MAGICK} ${icon_pngs} ${TRACKER_ICO}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/icons/tracker-editor.svg
  COMMENT "Making the Windows icon")
add_custom_target(tracker_windows_icon DEPENDS ${TRACKER_ICO})

# Gives target the icon and version information, described by description.
function(tracker_windows_resources target description)
  set(TRACKER_TARGET ${target})
  set(TRACKER_DESCRIPTION ${description})
  set(rc ${PROJECT_BINARY_DIR}/packaging/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${TRACKER_ICO})
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} tracker_windows_icon)
endfunction()
