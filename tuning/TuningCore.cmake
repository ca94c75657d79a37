# Item sets, frequency-safe apply order, profiles and the
# system-control pipe client.
#
# Two deliverables compile these sources:
#   zx_add_tuning_core(<target> [OCLIB] [TEST_PIPE] [LIBS <targets...>])
# makes a static library of them for one deliverable. Where the builds
# differ is in one source each (TuningBuild.h): ProgramTuningBuild.cpp for
# the program, OcLibTuningBuild.cpp with OCLIB (the C interface library's
# build: no graphics steps, no per-core turbo item, requests on the caller's
# thread; its pipe sources and no contract checks). TEST_PIPE, for test
# programs only, lets the environment variable ZX_SYSCTRL_PIPE name the
# control pipe the client calls. LIBS are linked publicly (the item model
# built for that deliverable).
set(ZX_TUNING_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/KyOcPrimaryItemSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KyOcRatio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZxOcItemProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SysCtrlPipeClient.cpp
  CACHE INTERNAL "tuning core sources")
set(ZX_TUNING_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "tuning core folder")

function(zx_add_tuning_core target)
  cmake_parse_arguments(T "OCLIB;TEST_PIPE" "" "LIBS" ${ARGN})
  if(T_OCLIB)
    add_library(${target} STATIC ${ZX_TUNING_SOURCES} ${ZX_TUNING_DIR}/OcLibTuningBuild.cpp
                ${VESSA_PIPE_SOURCES})
    target_compile_definitions(${target} PUBLIC VESSA_NO_CONTRACT_CHECKS)
  else()
    add_library(${target} STATIC ${ZX_TUNING_SOURCES} ${ZX_TUNING_DIR}/ProgramTuningBuild.cpp
                ${ZX_TUNING_DIR}/SysCtrlPipeClientThread.cpp)
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
