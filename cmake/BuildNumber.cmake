# The build number and commit id of the sources, from git: PREREQ_BUILD_NUMBER (the count of
# commits up to HEAD, 0 without git or outside a repository of its own), PREREQ_COMMIT (the short
# id, empty then), and the texts PREREQ_FILE_VERSION and PREREQ_FULL_VERSION that Version.h
# carries. A shallow clone counts only the commits it holds.
set(PREREQ_BUILD_NUMBER 0)
set(PREREQ_COMMIT "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} RESULT_VARIABLE git_failed
                  OUTPUT_VARIABLE git_top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # Sources unpacked inside some other repository are not counted by it.
  if(NOT git_failed AND git_top)
    file(REAL_PATH "${git_top}" git_top)
    file(REAL_PATH "${CMAKE_SOURCE_DIR}" source_top)
    if(git_top STREQUAL source_top)
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} RESULT_VARIABLE count_failed
                      OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=7 HEAD
                      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} RESULT_VARIABLE commit_failed
                      OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(NOT count_failed AND NOT commit_failed AND count MATCHES "^[0-9]+$")
        set(PREREQ_BUILD_NUMBER ${count})
        set(PREREQ_COMMIT ${commit})
      endif()
      # A commit, checkout or reset writes HEAD's log (or HEAD itself without a log).
      foreach(moved logs/HEAD HEAD)
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path ${moved}
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE moved_file OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        get_filename_component(moved_file "${moved_file}" ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
        if(EXISTS "${moved_file}")
          set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${moved_file}")
          break()
        endif()
      endforeach()
    endif()
  endif()
endif()
# The version resource's fourth field holds 16 bits.
if(PREREQ_BUILD_NUMBER GREATER 65535)
  message(FATAL_ERROR "build number ${PREREQ_BUILD_NUMBER} does not fit a version resource")
endif()
set(PREREQ_FILE_VERSION ${PROJECT_VERSION}.${PREREQ_BUILD_NUMBER})
set(PREREQ_FULL_VERSION ${PREREQ_FILE_VERSION})
if(PREREQ_COMMIT)
  set(PREREQ_FULL_VERSION "${PREREQ_FILE_VERSION} (commit ${PREREQ_COMMIT})")
endif()
message(STATUS "PrereqCheck version ${PREREQ_FULL_VERSION}")
