# Run by CPack once it has zipped the staged bundle: makes the zip again, so that it depends on
# the sources alone. CPack's own zip records each file's status-change time, which nothing can
# fix; Info-ZIP with -X records the time and the permissions only, both fixed here (the time
# is CPACK_PREREQ_SOURCE_DATE_EPOCH, as UTC), and the files go in in name order.
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
run(touch -h -d @${CPACK_PREREQ_SOURCE_DATE_EPOCH} ${staged})
foreach(package ${CPACK_PACKAGE_FILES})
  file(REMOVE "${package}")
  run(${CMAKE_COMMAND} -E env TZ=UTC zip -X -q "${package}" ${entries})
endforeach()
