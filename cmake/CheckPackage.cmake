cmake_minimum_required(VERSION 3.25)
# Installs the build into a scratch prefix and builds a consumer project against it with
# find_package(entrybox) (and, with WITH_QT, its Qt component), then the core through
# pkg-config. Run with -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... [-DWITH_QT=ON]
# [-DCXX=compiler]
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "install failed")
endif()
set(PREFIX ${WORK_DIR}/prefix)
include(${CMAKE_CURRENT_LIST_DIR}/BuildConsumer.cmake)
entrybox_build_consumer(consumer)

# pkg-config: the core's flags, from the installed entrybox.pc, build the same consumer.
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG AND CXX)
  file(GLOB_RECURSE pc_file ${PREFIX}/*/entrybox.pc)
  if(NOT pc_file)
    message(FATAL_ERROR "no entrybox.pc installed")
  endif()
  get_filename_component(pc_dir ${pc_file} DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pc_dir})
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs entrybox OUTPUT_VARIABLE flags
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "pkg-config does not know entrybox")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  execute_process(COMMAND ${CXX} -std=c++20 ${SOURCE_DIR}/tests/find-package/main.cpp ${flags}
                          -o ${WORK_DIR}/pkg-config-consumer RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "building with pkg-config's flags failed: ${flags}")
  endif()
  execute_process(COMMAND ${WORK_DIR}/pkg-config-consumer RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "the pkg-config consumer did not run")
  endif()
endif()
