add_executable(fuzz_print_layout ${CMAKE_CURRENT_LIST_DIR}/PrintLayoutFuzz.cpp)
target_link_libraries(fuzz_print_layout PRIVATE nx420_printout_rules)
target_compile_options(fuzz_print_layout PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_print_layout PRIVATE ${NX420_FUZZ_FLAGS})
nx420_fuzz_smoke(fuzz_print_layout 1000 512 ${CMAKE_CURRENT_LIST_DIR}/corpus/print_layout
                 ${CMAKE_CURRENT_LIST_DIR}/dict/print_layout.dict)
