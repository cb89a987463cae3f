# The bundle an administrator copies to a PC: `cpack --preset windows-x86` writes
# PrereqCheck-<version>-win32.zip beside the build, with one folder PrereqCheck-<version>/ that
# holds the stripped programs, the two pictures the status reports show and a note for the
# administrator. Two builds of the same sources give the same zip, byte for byte.
#
# Another program joins the bundle by joining PREREQ_BUNDLED_PROGRAMS (CMakeLists.txt includes
# this file after the programs' targets).
set(PREREQ_BUNDLED_PROGRAMS PrereqCheck PrereqCheckCli)

set(bundle PrereqCheck-${PROJECT_VERSION})
set(pictures ${CMAKE_BINARY_DIR}/bundle)

# The reports show green_check.gif and red_x.gif beside them at 15 by 16 pixels; they are made
# from the dialog's own pictures by tools/pixelart, a host tool, compiled here with the host's
# compiler since this build's compiler makes Windows programs.
find_program(PREREQ_HOST_CXX NAMES c++ g++ REQUIRED)
set(pixelart ${CMAKE_BINARY_DIR}/host/pixelart)
add_custom_command(
  OUTPUT ${pixelart}
  COMMAND ${PREREQ_HOST_CXX} -std=c++17 -O1 -o ${pixelart} ${CMAKE_SOURCE_DIR}/tools/pixelart.cpp
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/pixelart.cpp
  COMMENT "Building the host tool pixelart" VERBATIM)
set(gifs)
foreach(picture green_check|CheckMark red_x|Cross)
  string(REPLACE "|" ";" picture ${picture})
  list(GET picture 0 gif)
  list(GET picture 1 source)
  add_custom_command(
    OUTPUT ${pictures}/${gif}.gif
    COMMAND ${pixelart} --size 15x16 ${CMAKE_SOURCE_DIR}/resources/${source}.pixels
            ${pictures}/${gif}.gif
    DEPENDS ${pixelart} ${CMAKE_SOURCE_DIR}/resources/${source}.pixels VERBATIM)
  list(APPEND gifs ${pictures}/${gif}.gif)
endforeach()
add_custom_target(report-pictures ALL DEPENDS ${gifs})

# Notepad on these systems wants CR LF line ends. The title carries the full version, underlined.
string(LENGTH "PrereqCheck ${PREREQ_FULL_VERSION}" title_length)
string(REPEAT "=" ${title_length} PREREQ_TITLE_RULE)
configure_file(docs/bundle/README.txt.in ${pictures}/README.txt @ONLY NEWLINE_STYLE CRLF)

# Stripped when linked: strip(1) would give a PE image the time it ran as its time stamp.
foreach(program ${PREREQ_BUNDLED_PROGRAMS})
  target_link_options(${program} PRIVATE -s)
endforeach()
install(TARGETS ${PREREQ_BUNDLED_PROGRAMS} RUNTIME DESTINATION ${bundle})
install(FILES ${gifs} ${pictures}/README.txt DESTINATION ${bundle})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME PrereqCheck)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_PACKAGE_FILE_NAME ${bundle}-win64)
else()
  set(CPACK_PACKAGE_FILE_NAME ${bundle}-win32)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF) # the install destination is the folder
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/ReproducibleZip.cmake)
set(CPACK_PREREQ_SOURCE_DIR ${CMAKE_SOURCE_DIR})
include(CPack)
