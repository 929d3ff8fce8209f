target_sources(nx420_unit_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PasswordTest.cpp)
