add_executable(fuzz_password ${CMAKE_CURRENT_LIST_DIR}/PasswordFuzz.cpp)
target_link_libraries(fuzz_password PRIVATE nx420core)
target_compile_options(fuzz_password PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_password PRIVATE ${NX420_FUZZ_FLAGS})
add_test(NAME fuzz_password_smoke
  COMMAND fuzz_password -seed=1 -runs=1000 -max_len=4096 ${CMAKE_CURRENT_LIST_DIR}/corpus/password)
