add_executable(fuzz_link_channel ${CMAKE_CURRENT_LIST_DIR}/LinkChannelFuzz.cpp)
target_link_libraries(fuzz_link_channel PRIVATE nx420_texts)
target_compile_options(fuzz_link_channel PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_link_channel PRIVATE ${NX420_FUZZ_FLAGS})
nx420_fuzz_smoke(fuzz_link_channel 50000 4096 ${CMAKE_CURRENT_LIST_DIR}/corpus/link_channel
                 ${CMAKE_CURRENT_LIST_DIR}/dict/link_channel.dict)
