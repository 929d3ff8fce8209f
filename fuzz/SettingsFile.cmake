add_executable(fuzz_settings_file ${CMAKE_CURRENT_LIST_DIR}/SettingsFileFuzz.cpp)
target_link_libraries(fuzz_settings_file PRIVATE nx420core)
target_compile_options(fuzz_settings_file PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_settings_file PRIVATE ${NX420_FUZZ_FLAGS})
add_test(NAME fuzz_settings_file_smoke
  COMMAND fuzz_settings_file -seed=1 -runs=1500 -max_len=200000 ${CMAKE_CURRENT_LIST_DIR}/corpus/settings_file)
