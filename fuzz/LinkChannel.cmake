add_executable(fuzz_link_channel ${CMAKE_CURRENT_LIST_DIR}/LinkChannelFuzz.cpp)
target_link_libraries(fuzz_link_channel PRIVATE nx420core)
target_compile_options(fuzz_link_channel PRIVATE ${NX420_WARNINGS} -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_link_channel PRIVATE -fsanitize=fuzzer,address,undefined)
# New inputs go to the first folder, in the build tree, so the committed seeds stay as they are.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/corpus/link_channel)
add_test(NAME fuzz_link_channel_smoke
  COMMAND fuzz_link_channel -seed=1 -runs=50000
          ${CMAKE_CURRENT_BINARY_DIR}/corpus/link_channel ${CMAKE_CURRENT_LIST_DIR}/corpus/link_channel)
