add_executable(fuzz_work_file ${CMAKE_CURRENT_LIST_DIR}/WorkFileFuzz.cpp)
target_link_libraries(fuzz_work_file PRIVATE nx420_maintenance)
target_compile_options(fuzz_work_file PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_work_file PRIVATE ${NX420_FUZZ_FLAGS})
nx420_fuzz_smoke(fuzz_work_file 20000 300 ${CMAKE_CURRENT_LIST_DIR}/corpus/work_file
                 ${CMAKE_CURRENT_LIST_DIR}/dict/work_file.dict)
