# Whole-installation upload and download against nx420-sim (needs the test
# support library for the populated configuration).
if(TARGET nx420testsupport AND TARGET nx420-sim)
  add_executable(bench_transfer ${CMAKE_CURRENT_LIST_DIR}/TransferBench.cpp)
  target_link_libraries(bench_transfer PRIVATE nx420simcore nx420testsupport nx420core)
  target_compile_options(bench_transfer PRIVATE ${NX420_WARNINGS})
  target_compile_definitions(bench_transfer PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
  add_dependencies(bench_transfer nx420-sim)
endif()
