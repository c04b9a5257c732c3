# Installs the build into a scratch prefix and builds a consumer project against it with
# find_package(entrybox). Run with -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=...
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/find-package -B ${WORK_DIR}/consumer
                        -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_CXX_FLAGS=${CXX_FLAGS}
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "find_package(entrybox) failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/consumer RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "building against the installed package failed")
endif()
execute_process(COMMAND ${WORK_DIR}/consumer/consumer RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "the consumer did not run")
endif()
