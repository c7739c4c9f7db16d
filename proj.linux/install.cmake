# Installed layout: the programs live with their Resources in libexec/solvane (the engine
# looks for Resources beside the executable), and bin/ holds links to them.
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  foreach(prog solvane solvane-check solvane-shot)
    if(EXISTS \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/solvane/\${prog}\")
      execute_process(COMMAND \${CMAKE_COMMAND} -E create_symlink
        ../${CMAKE_INSTALL_LIBEXECDIR}/solvane/\${prog}
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${prog}\")
    endif()
  endforeach()
")
install(FILES ${CMAKE_SOURCE_DIR}/proj.linux/solvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/proj.linux/icons/solvane.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/proj.linux/icons/solvane-48.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME solvane.png)
