# The program's place on the desktop: file association, about box, splash window, help page,
# icons and cursors (vt_shell), and the rules that install the program with its desktop files.
include(GNUInstallDirs)

# The project has no web address yet: the about box shows one only when it is given here.
set(VT_WEB_ADDRESS "" CACHE STRING "The project's web address shown in the about box (none when empty)")
set(VT_SHELL_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)
set(VT_SHELL_RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/resources)

vt_add_library(vt_shell
  SOURCES
    Cursors.cpp
    DesktopFiles.cpp
    FAbout.cpp
    FileAssociate.cpp
    HelpPage.cpp
    Resources.cpp
    Splash.cpp
    SystemFileTypes.cpp
    resources/vellumtrace.qrc
  DEPS vt_files Qt6::Widgets)
set_target_properties(vt_shell PROPERTIES AUTORCC ON)
target_compile_definitions(vt_shell PRIVATE
  VT_VERSION="${PROJECT_VERSION}"
  VT_HOME_PAGE="${VT_WEB_ADDRESS}"
  VT_INSTALLED_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/vellumtrace")
target_link_libraries(vt_app PUBLIC vt_shell)

# The user guide beside the program in the build folder, as it is found when run from there.
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/Help.html
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VT_SHELL_DATA}/Help.html ${CMAKE_CURRENT_BINARY_DIR}/Help.html
  DEPENDS ${VT_SHELL_DATA}/Help.html
  COMMENT "Copying the help page beside the program")
add_custom_target(vt_help_page ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/Help.html)

# The system-wide desktop entry finds the installed program on the PATH, wherever the prefix.
set(VT_DESKTOP_EXEC "vellumtrace %f")
set(VT_DESKTOP_ICON "${VT_APP_ID}")
set(VT_DESKTOP_MIMETYPES "application/x-vellumtrace-label;application/x-vellumtrace-template;")
configure_file(${VT_SHELL_DATA}/vellumtrace.desktop.in ${CMAKE_CURRENT_BINARY_DIR}/vellumtrace.desktop @ONLY)

# The program is defined after this file is included, so its install rule waits for it.
cmake_language(DEFER CALL install TARGETS vellumtrace RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Installed under the program's desktop name, so the software centre ties them together.
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vellumtrace.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${VT_APP_ID}.desktop)
install(FILES ${VT_SHELL_DATA}/vellumtrace-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${VT_APP_ID}.xml)
install(FILES ${VT_SHELL_DATA}/Help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/vellumtrace)
set(VT_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${VT_SHELL_RESOURCES}/icons/vellumtrace.svg
  DESTINATION ${VT_ICON_DIR}/scalable/apps RENAME ${VT_APP_ID}.svg)
install(FILES ${VT_SHELL_RESOURCES}/icons/vellumtrace-48.png
  DESTINATION ${VT_ICON_DIR}/48x48/apps RENAME ${VT_APP_ID}.png)
install(FILES ${VT_SHELL_RESOURCES}/icons/vellumtrace-document.svg
  DESTINATION ${VT_ICON_DIR}/scalable/mimetypes RENAME application-x-vellumtrace-document.svg)
install(FILES ${VT_SHELL_RESOURCES}/icons/vellumtrace-document-48.png
  DESTINATION ${VT_ICON_DIR}/48x48/mimetypes RENAME application-x-vellumtrace-document.png)
