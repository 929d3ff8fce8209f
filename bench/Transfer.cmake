# Whole-installation upload and download against nx420-sim, through the
# program's path and the bare link (needs the test support library for the
# populated configuration, and the window-less transfer path).
if(TARGET nx420testsupport AND TARGET nx420-sim AND TARGET nx420ctl_lib)
  add_executable(bench_transfer ${CMAKE_CURRENT_LIST_DIR}/TransferBench.cpp)
  target_link_libraries(bench_transfer PRIVATE nx420ctl_lib nx420simcore nx420testsupport nx420_texts)
  target_compile_options(bench_transfer PRIVATE ${NX420_WARNINGS})
  target_compile_definitions(bench_transfer PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
  add_dependencies(bench_transfer nx420-sim)
endif()
