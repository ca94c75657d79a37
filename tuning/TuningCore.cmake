# Item sets, frequency-safe apply order, profiles and the
# system-control pipe client.
#
# Two deliverables compile these sources, each with its own switches:
#   zx_add_tuning_core(<target> [OCLIB] [TEST_PIPE] [LIBS <targets...>])
# makes a static library of them for one deliverable. TEST_PIPE, for test
# programs only, lets the environment variable ZX_SYSCTRL_PIPE name the
# control pipe the client calls. OCLIB gives the C
# interface library's build (ZXOCLIB_BUILD: requests on the caller's thread,
# no busy flag; no index-0x60 apply step, no graphics flag; VESSA_NO_CONTRACT_CHECKS)
# and compiles the pipe sources into it with the same switches. LIBS are
# linked publicly (the item model built for that deliverable).
set(ZX_TUNING_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/KyOcPrimaryItemSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KyOcRatio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZxOcItemProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SysCtrlPipeClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SysCtrlPipeClientThread.cpp
  CACHE INTERNAL "tuning core sources")

function(zx_add_tuning_core target)
  cmake_parse_arguments(T "OCLIB;TEST_PIPE" "" "LIBS" ${ARGN})
  if(T_OCLIB)
    add_library(${target} STATIC ${ZX_TUNING_SOURCES} ${VESSA_PIPE_SOURCES})
    target_compile_definitions(${target} PUBLIC ZXOCLIB_BUILD VESSA_NO_CONTRACT_CHECKS)
  else()
    add_library(${target} STATIC ${ZX_TUNING_SOURCES})
    target_link_libraries(${target} PUBLIC vessa_pipe vessa_registry)
  endif()
  if(T_TEST_PIPE)
    target_compile_definitions(${target} PRIVATE ZX_SYSCTRL_PIPE_OVERRIDE)
  endif()
  if(T_LIBS)
    target_link_libraries(${target} PUBLIC ${T_LIBS})
  endif()
endfunction()

# The program's build; tests link it too.
zx_add_tuning_core(zx_tuning LIBS zx_bios_items)
