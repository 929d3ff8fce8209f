add_executable(bench_settings_file ${CMAKE_CURRENT_LIST_DIR}/SettingsFileBench.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/PopulatedSettings.cpp)
target_include_directories(bench_settings_file PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_settings_file PRIVATE nx420_texts benchmark::benchmark)
target_compile_options(bench_settings_file PRIVATE ${NX420_WARNINGS})
