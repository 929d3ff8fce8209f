# Setting data texts: the download and dialing assignment decoders.
add_executable(fuzz_setting_texts ${CMAKE_CURRENT_LIST_DIR}/SettingTextDecodeFuzz.cpp)
target_link_libraries(fuzz_setting_texts PRIVATE nx420core)
target_compile_options(fuzz_setting_texts PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_setting_texts PRIVATE ${NX420_FUZZ_FLAGS})
# New inputs go to a scratch folder first, so the committed seeds stay as they are.
set(setting_texts_scratch ${CMAKE_CURRENT_BINARY_DIR}/setting_texts_scratch)
file(MAKE_DIRECTORY ${setting_texts_scratch})
add_test(NAME fuzz_setting_texts_smoke
  COMMAND fuzz_setting_texts -seed=1 -runs=50000 -max_len=2048 ${setting_texts_scratch} ${CMAKE_CURRENT_LIST_DIR}/corpus/setting_texts)
