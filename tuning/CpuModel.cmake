# The register binding and CPUID (from the simulated machine only while the
# KyIO.dll stand-in is the library loaded: one build for both).
add_library(zx_cpu_binding STATIC ${CMAKE_CURRENT_LIST_DIR}/KyIOBinding.cpp ${CMAKE_CURRENT_LIST_DIR}/CpuId.cpp)

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
add_executable(ratio_control_bench ${CMAKE_CURRENT_LIST_DIR}/bench/RatioControlBench.cpp)
target_link_libraries(ratio_control_bench PRIVATE zx_cpu kyio_machine)
set_target_properties(ratio_control_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZX_TEST_DIR})
add_dependencies(ratio_control_bench KyIO KyAcpi)
