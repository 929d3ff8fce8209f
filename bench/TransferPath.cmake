# Short texts through the program's transfer path (TransferEngine, LinkSession,
# CTransMng, CSioThread) next to the bare link loop.
if(NOT NX420_WITH_QT OR NOT TARGET nx420ctl_lib)
  return()
endif()
add_executable(bench_transfer_path ${CMAKE_CURRENT_LIST_DIR}/TransferPathBench.cpp)
target_link_libraries(bench_transfer_path PRIVATE nx420ctl_lib nx420simcore nx420testsupport)
target_compile_options(bench_transfer_path PRIVATE ${NX420_WARNINGS})
target_compile_definitions(bench_transfer_path PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
add_dependencies(bench_transfer_path nx420-sim)
