# The manual page and the bash completion: made from --help, rendered by man, run by bash.
vt_add_test(manual_tests
  SOURCES ManualPageTest.cpp ShellCompletionTest.cpp
  DEPS vt_manual
  LABEL app)
target_compile_definitions(manual_tests PRIVATE
  VT_PROGRAM="$<TARGET_FILE:vellumtrace>"
  VT_MANUAL_DATA="${PROJECT_SOURCE_DIR}/src/app/data"
  VT_MANUAL_PAGE="$<TARGET_PROPERTY:vt_manual_files,VT_MANUAL_PAGE>"
  VT_COMPLETION="$<TARGET_PROPERTY:vt_manual_files,VT_COMPLETION>")
add_dependencies(manual_tests vt_manual_files vellumtrace)
