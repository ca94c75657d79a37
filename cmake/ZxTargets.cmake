# Helpers shared by every folder's CMakeLists.txt.
#
#   zx_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>] [DEPENDS <targets...>]
#               [LOCKS <resources...>])
#       A GoogleTest program in build/tests, run by ctest under Wine. DEPENDS
#       names deliverables the test drives as separate processes, so that
#       building the test builds them too. LOCKS names machine-wide resources
#       the test takes (e.g. syscontrol_pipe: it serves or calls the one
#       system-control pipe); tests sharing one never run at the same time.
#   zx_add_test_dll(NAME <name> SOURCES <files...> [LIBS <targets...>] [DEF <file>])
#       A helper DLL that a test loads, written beside the tests.

set(ZX_TEST_DIR ${CMAKE_BINARY_DIR}/../tests)
get_filename_component(ZX_TEST_DIR ${ZX_TEST_DIR} ABSOLUTE)

function(zx_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;DEPENDS;LOCKS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE zx_test_main ${T_LIBS})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZX_TEST_DIR})
  if(T_DEPENDS)
    add_dependencies(${T_NAME} ${T_DEPENDS})
  endif()
  add_test(NAME ${T_NAME} COMMAND wine ${ZX_TEST_DIR}/${T_NAME}.exe)
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LOCKS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()

function(zx_add_test_dll)
  cmake_parse_arguments(T "" "NAME;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${T_NAME} SHARED ${T_SOURCES} ${T_DEF})
  set_target_properties(${T_NAME} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${ZX_TEST_DIR})
  if(T_LIBS)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  endif()
endfunction()

# Adds every direct subfolder of the current source folder that has a
# CMakeLists.txt, in name order, so that a new component needs no edit here.
function(zx_add_subfolders)
  # CONFIGURE_DEPENDS: a new subfolder is picked up by the next build.
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
