# Setting data texts: the download and dialing assignment decoders.
add_executable(fuzz_setting_texts ${CMAKE_CURRENT_LIST_DIR}/SettingTextDecodeFuzz.cpp)
target_link_libraries(fuzz_setting_texts PRIVATE nx420_texts)
target_compile_options(fuzz_setting_texts PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_setting_texts PRIVATE ${NX420_FUZZ_FLAGS})
nx420_fuzz_smoke(fuzz_setting_texts 50000 2048 ${CMAKE_CURRENT_LIST_DIR}/corpus/setting_texts
                 ${CMAKE_CURRENT_LIST_DIR}/dict/setting_texts.dict)
