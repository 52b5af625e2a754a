# Fails when a source of the document's dialogs includes a header of the files library, which
# lies above the document: the dialogs hand stored defaults to their caller instead.
file(GLOB sources ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(source ${sources})
  file(STRINGS ${source} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]files/")
  if(hits)
    message(SEND_ERROR "${source} includes a files header: ${hits}")
  endif()
endforeach()
