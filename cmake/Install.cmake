# Installation: `cmake --install <build> --prefix <prefix>`.
#
#   <prefix>/lib/pellory2/pellory2           the program, with plugins/ beside it
#   <prefix>/lib/pellory2/plugins/*.so       viewer plug-ins
#   <prefix>/bin/pellory2                    link to the program
#   <prefix>/bin/pellory-cli
#   <prefix>/share/applications/pellory2.desktop
#   <prefix>/share/mime/packages/pellory2.xml
#   <prefix>/share/icons/hicolor/scalable/apps/pellory2.svg
#
# The program finds its plug-ins in "plugins/" beside its own file, so it lives
# in its own folder and bin/ holds a link (the program's folder is the link's
# target). Its settings go beside it only when that folder is writable,
# otherwise into the user's config folder.
include(GNUInstallDirs)
get_filename_component(_pellory_source_dir ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

set(PELLORY_INSTALL_APPDIR ${CMAKE_INSTALL_LIBDIR}/pellory2)

if(TARGET pellory2)
  install(TARGETS pellory2 RUNTIME DESTINATION ${PELLORY_INSTALL_APPDIR})
  file(RELATIVE_PATH _pellory_link_target
       /${CMAKE_INSTALL_BINDIR} /${PELLORY_INSTALL_APPDIR}/pellory2)
  install(CODE "
    set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${_bin}\")
    file(CREATE_LINK \"${_pellory_link_target}\" \"\${_bin}/pellory2\" SYMBOLIC)
    message(STATUS \"Installing: \${_bin}/pellory2 -> ${_pellory_link_target}\")
  ")
endif()

if(TARGET pellory-cli)
  install(TARGETS pellory-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(TARGET cfgview)
  install(TARGETS cfgview LIBRARY DESTINATION ${PELLORY_INSTALL_APPDIR}/plugins)
endif()
# The folder exists even without plug-ins, so users know where to put theirs.
install(DIRECTORY DESTINATION ${PELLORY_INSTALL_APPDIR}/plugins)

# Desktop integration: the same types the Options dialog registers per user.
# The desktop entry names the program by its installed path, so it is written
# at install time, when the prefix (possibly given with --prefix) is known.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  set(_pellory_bin_expr "${CMAKE_INSTALL_BINDIR}")
else()
  set(_pellory_bin_expr "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}")
endif()
if(IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}")
  set(_pellory_data_expr "${CMAKE_INSTALL_DATADIR}")
else()
  set(_pellory_data_expr "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}")
endif()
install(CODE "
  set(PELLORY_DESKTOP_EXEC \"\\\"${_pellory_bin_expr}/pellory2\\\"\")
  set(_desktop \"\$ENV{DESTDIR}${_pellory_data_expr}/applications/pellory2.desktop\")
  message(STATUS \"Installing: \${_desktop}\")
  configure_file(\"${_pellory_source_dir}/resources/pellory2.desktop.in\" \"\${_desktop}\" @ONLY)
")
install(FILES ${_pellory_source_dir}/resources/pellory2-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME pellory2.xml)
install(FILES ${_pellory_source_dir}/resources/icons/pellory2.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Refresh the desktop caches of the prefix, unless staging for a package.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    set(_share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
    find_program(_pellory_mime_tool update-mime-database)
    find_program(_pellory_desktop_tool update-desktop-database)
    if(_pellory_mime_tool)
      execute_process(COMMAND \${_pellory_mime_tool} \"\${_share}/mime\")
    endif()
    if(_pellory_desktop_tool)
      execute_process(COMMAND \${_pellory_desktop_tool} \"\${_share}/applications\")
    endif()
  endif()
")
