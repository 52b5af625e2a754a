# The manual page vellumtrace(1) and the bash completion, both made at build time from the text
# of --help so that neither can fall behind the switches the program takes.
include(GNUInstallDirs)

# The release date on the manual page: fixed per release, so that a rebuild gives the same page.
if(NOT DEFINED VT_RELEASE_DATE)
  set(VT_RELEASE_DATE "2026-12-09" CACHE INTERNAL "")
endif()

vt_add_library(vt_manual
  SOURCES
    HelpText.cpp
    ManualPage.cpp
    Placeholders.cpp
    ShellCompletion.cpp
  DEPS vt_print Qt6::Core)

add_executable(vt_make_manual make_manual.cpp)
target_link_libraries(vt_make_manual PRIVATE vt_manual)

set(VT_MANUAL_TEMPLATE ${CMAKE_CURRENT_SOURCE_DIR}/data/vellumtrace.1.in)
set(VT_COMPLETION_TEMPLATE ${CMAKE_CURRENT_SOURCE_DIR}/data/vellumtrace.bash.in)
set(VT_MANUAL_PAGE ${CMAKE_CURRENT_BINARY_DIR}/vellumtrace.1)
set(VT_COMPLETION ${CMAKE_CURRENT_BINARY_DIR}/completion/vellumtrace)
find_program(VT_GZIP gzip REQUIRED)

add_custom_command(
  OUTPUT ${VT_MANUAL_PAGE} ${VT_COMPLETION}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/completion
  COMMAND vt_make_manual ${PROJECT_VERSION} ${VT_RELEASE_DATE}
          ${VT_MANUAL_TEMPLATE} ${VT_MANUAL_PAGE} ${VT_COMPLETION_TEMPLATE} ${VT_COMPLETION}
  DEPENDS vt_make_manual ${VT_MANUAL_TEMPLATE} ${VT_COMPLETION_TEMPLATE}
  COMMENT "Making the manual page and the bash completion from --help"
  VERBATIM)
# -n leaves out the name and time, so that the same page compresses to the same bytes.
add_custom_command(
  OUTPUT ${VT_MANUAL_PAGE}.gz
  COMMAND ${VT_GZIP} -9nkf ${VT_MANUAL_PAGE}
  DEPENDS ${VT_MANUAL_PAGE}
  VERBATIM)
add_custom_target(vt_manual_files ALL DEPENDS ${VT_MANUAL_PAGE}.gz ${VT_COMPLETION})
# Where the tests find what they check.
set_target_properties(vt_manual_files PROPERTIES
  VT_MANUAL_PAGE ${VT_MANUAL_PAGE}.gz
  VT_COMPLETION ${VT_COMPLETION})

install(FILES ${VT_MANUAL_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VT_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
