# Windows specifics of the build, included by the top-level CMakeLists.txt when WIN32.

# The game carries its icon, version information and manifest (per-monitor DPI awareness).
string(REPLACE "." "," SOLVANE_VERSION_COMMAS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(SOLVANE_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(SOLVANE_ICON "${CMAKE_SOURCE_DIR}/proj.win32/solvane.ico")
set(SOLVANE_MANIFEST "${CMAKE_BINARY_DIR}/proj.win32/solvane.manifest")
configure_file(${CMAKE_SOURCE_DIR}/proj.win32/solvane.manifest ${SOLVANE_MANIFEST} @ONLY)

function(solvane_windows_resources target description)
  set(SOLVANE_TARGET ${target})
  set(SOLVANE_DESCRIPTION "${description}")
  set(rc ${CMAKE_BINARY_DIR}/proj.win32/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/proj.win32/solvane.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

solvane_windows_resources(solvane "Solvane")
