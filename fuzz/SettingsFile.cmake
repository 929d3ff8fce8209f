add_executable(fuzz_settings_file ${CMAKE_CURRENT_LIST_DIR}/SettingsFileFuzz.cpp)
target_link_libraries(fuzz_settings_file PRIVATE nx420_texts)
target_compile_options(fuzz_settings_file PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_settings_file PRIVATE ${NX420_FUZZ_FLAGS})
nx420_fuzz_smoke(fuzz_settings_file 1500 4096 ${CMAKE_CURRENT_LIST_DIR}/corpus/settings_file
                 ${CMAKE_CURRENT_LIST_DIR}/dict/settings_file.dict)
