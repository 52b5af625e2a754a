# Two helpers so that every folder declares its library and its tests the same way.

# vt_add_library(NAME SOURCES... DEPS...): one static library per source folder.
function(vt_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
endfunction()

# vt_add_test(NAME [WIDGETS] SOURCES... DEPS... [LABEL label]): a GoogleTest binary run headless
# by CTest, on a QGuiApplication unless WIDGETS asks for a QApplication (window libraries only).
function(vt_add_test name)
  cmake_parse_arguments(ARG "WIDGETS" "LABEL" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_WIDGETS)
    set(main vt_testmain_widgets)
  else()
    set(main vt_testmain_gui)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${main} GTest::gtest)
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VT_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
    LABELS "${ARG_LABEL}"
    TIMEOUT 600)
endfunction()
