# The build tree installed to a prefix of its own (cmake --install --prefix),
# far from where it was built: the programs find their data beside them.
# oplab-data lays out a lab folder from the installed template, which then
# checks clean; oplab tells its version.
#   cmake -DBUILD_DIR=<build tree> -DWORK=<scratch folder> -P install_anywhere.cmake
file(REMOVE_RECURSE ${WORK})
set(prefix "${WORK}/some prefix")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: status ${status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${prefix}/bin/oplab --version)
run(${prefix}/bin/oplab-data lab init ${WORK}/lab)
run(${prefix}/bin/oplab-data lab check ${WORK}/lab)
if(NOT out MATCHES "не пройдено: 0")
  message(FATAL_ERROR "lab check:\n${out}")
endif()
file(REMOVE_RECURSE ${WORK})
