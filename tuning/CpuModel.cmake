# The register binding and CPUID. With ZX_SIMULATED_CPU the simulated
# machine answers CPUID in place of the instruction; nothing else differs.
add_library(zx_cpu_binding STATIC ${CMAKE_CURRENT_LIST_DIR}/KyIOBinding.cpp)
if(ZX_SIMULATED_CPU)
  target_link_libraries(zx_cpu_binding PUBLIC zx_cpuid_simulated)
else()
  target_sources(zx_cpu_binding PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CpuId.cpp)
endif()

# The CPU models and the dynamic ratio controller, over the item model.
add_library(zx_cpu STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CpuCapabilities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CpuTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AmdPStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IntelPStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RatioDecision.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RatioThreads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DynamicRatioControl.cpp)
target_link_libraries(zx_cpu PUBLIC zx_cpu_binding zx_bios_items user32)

# The measurement program behind scripts/measure-ratio-control.sh (not a
# test); it reads the simulated machine's counters.
if(ZX_SIMULATED_CPU)
  add_executable(ratio_control_bench ${CMAKE_CURRENT_LIST_DIR}/bench/RatioControlBench.cpp)
  target_link_libraries(ratio_control_bench PRIVATE zx_cpu kyio_machine)
  set_target_properties(ratio_control_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZX_TEST_DIR})
  add_dependencies(ratio_control_bench KyIO KyAcpi)
endif()
