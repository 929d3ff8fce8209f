add_executable(fuzz_password ${CMAKE_CURRENT_LIST_DIR}/PasswordFuzz.cpp)
target_link_libraries(fuzz_password PRIVATE nx420_model)
target_compile_options(fuzz_password PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_password PRIVATE ${NX420_FUZZ_FLAGS})
nx420_fuzz_smoke(fuzz_password 10000 4096 ${CMAKE_CURRENT_LIST_DIR}/corpus/password
                 ${CMAKE_CURRENT_LIST_DIR}/dict/password.dict)
