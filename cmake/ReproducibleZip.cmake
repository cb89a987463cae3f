# Run by CPack once it has zipped the staged bundle: makes the zip again, so that it depends on
# the sources alone. CPack's own zip records each file's status-change time, which nothing can
# fix; Info-ZIP with -X records the time and the permissions only, both fixed here, and the
# files go in in name order. The time is that of the last commit, read now (a build folder may
# be older than the commit), or SOURCE_DATE_EPOCH when the build is given one.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(time $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${CPACK_PREREQ_SOURCE_DIR}"
                  OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT time MATCHES "^[0-9]+$")
  set(time 315532800) # 1980-01-01, the earliest time a zip holds
endif()

file(GLOB_RECURSE staged LIST_DIRECTORIES true RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
     "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT staged)
set(entries)
foreach(path ${staged})
  if(IS_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}/${path}")
    list(APPEND entries "${path}/") # a folder entry of its own, without its contents
  else()
    list(APPEND entries "${path}")
  endif()
endforeach()
# One command after the other (the commands of one execute_process would run as a pipe).
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}"
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
run(chmod -R u=rwX,go=rX .)
run(touch -h -d @${time} ${staged})
foreach(package ${CPACK_PACKAGE_FILES})
  file(REMOVE "${package}")
  run(${CMAKE_COMMAND} -E env TZ=UTC zip -X -q "${package}" ${entries})
endforeach()
