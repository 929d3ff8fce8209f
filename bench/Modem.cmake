# A paced upload of one exchange over nx420-sim's modem: dial, transfer, hang-up.
if(TARGET nx420testsupport AND TARGET nx420-sim AND TARGET nx420ctl_lib)
  add_executable(bench_modem ${CMAKE_CURRENT_LIST_DIR}/ModemBench.cpp)
  target_link_libraries(bench_modem PRIVATE nx420ctl_lib nx420simcore nx420testsupport nx420_texts)
  target_compile_options(bench_modem PRIVATE ${NX420_WARNINGS})
  target_compile_definitions(bench_modem PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
  add_dependencies(bench_modem nx420-sim)
endif()
