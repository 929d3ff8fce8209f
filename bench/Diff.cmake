add_executable(bench_diff ${CMAKE_CURRENT_LIST_DIR}/DiffBench.cpp ${CMAKE_SOURCE_DIR}/tests/support/PopulatedSettings.cpp)
target_include_directories(bench_diff PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_diff PRIVATE nx420_editor_rules benchmark::benchmark)
target_compile_options(bench_diff PRIVATE ${NX420_WARNINGS})
