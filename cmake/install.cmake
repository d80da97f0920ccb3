# `cmake --install build --prefix P` puts the game where a desktop finds it:
#   P/lib/thistlewarp/thistlewarp       the program
#   P/share/thistlewarp/                its content (textures, sounds, font, anims, scenes)
#   P/bin/thistlewarp                   the launcher: starts the program in its content folder
#   P/share/applications/thistlewarp.desktop
#   P/share/icons/hicolor/{scalable,256x256}/apps/thistlewarp.{svg,png}
install(TARGETS thistlewarp RUNTIME DESTINATION lib/thistlewarp)
install(DIRECTORY ${TW_CONTENT_DIR}/ DESTINATION share/thistlewarp
  FILES_MATCHING PATTERN "*.xml" PATTERN "*.bmp" PATTERN "*.wav"
  PATTERN "CMakeFiles" EXCLUDE)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/dist/thistlewarp.in DESTINATION bin RENAME thistlewarp)
install(FILES ${CMAKE_SOURCE_DIR}/content/icon/thistlewarp.svg
  DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${TW_DESKTOP_DIR}/thistlewarp.png DESTINATION share/icons/hicolor/256x256/apps)
# The menu entry names the launcher by its full path, known only at install
# time (the prefix may be given to cmake --install).
install(CODE "
  file(READ \"${CMAKE_SOURCE_DIR}/dist/thistlewarp.desktop.in\" entry)
  string(REPLACE \"@LAUNCHER@\" \"\${CMAKE_INSTALL_PREFIX}/bin/thistlewarp\" entry \"\${entry}\")
  set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/thistlewarp.desktop\")
  message(STATUS \"Installing: \${target}\")
  file(WRITE \"\${target}\" \"\${entry}\")
")
