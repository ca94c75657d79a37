# The register binding and CPUID. With ZX_SIMULATED_CPU the simulated
# machine answers CPUID in place of the instruction; nothing else differs.
add_library(zx_cpu_binding STATIC ${CMAKE_CURRENT_LIST_DIR}/KyIOBinding.cpp)
if(ZX_SIMULATED_CPU)
  target_link_libraries(zx_cpu_binding PUBLIC zx_cpuid_simulated)
else()
  target_sources(zx_cpu_binding PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CpuId.cpp)
endif()
