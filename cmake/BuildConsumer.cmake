# Builds tests/find-package against an installed entrybox under PREFIX and runs what it
# built (the Qt consumer offscreen). Included by the package checks, which set SOURCE_DIR,
# WORK_DIR, PREFIX, WITH_QT and CXX_FLAGS.
function(entrybox_build_consumer name)
  set(dir ${WORK_DIR}/${name})
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/find-package -B ${dir}
                          -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
                          -DCMAKE_CXX_FLAGS=${CXX_FLAGS} -DWITH_QT=${WITH_QT}
                  RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "find_package(entrybox) failed against ${PREFIX}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${dir} RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "building against the package in ${PREFIX} failed")
  endif()
  execute_process(COMMAND ${dir}/consumer RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "the consumer did not run")
  endif()
  if(WITH_QT)
    set(ENV{QT_QPA_PLATFORM} offscreen)
    execute_process(COMMAND ${dir}/qt_consumer RESULT_VARIABLE result)
    if(result)
      message(FATAL_ERROR "the Qt consumer did not run")
    endif()
  endif()
endfunction()
