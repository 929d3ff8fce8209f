add_executable(fuzz_records ${CMAKE_CURRENT_LIST_DIR}/RecordsFuzz.cpp)
target_link_libraries(fuzz_records PRIVATE nx420_maintenance)
target_compile_options(fuzz_records PRIVATE ${NX420_WARNINGS} ${NX420_FUZZ_FLAGS})
target_link_options(fuzz_records PRIVATE ${NX420_FUZZ_FLAGS})
nx420_fuzz_smoke(fuzz_records 20000 400 ${CMAKE_CURRENT_LIST_DIR}/corpus/records
                 ${CMAKE_CURRENT_LIST_DIR}/dict/records.dict)
