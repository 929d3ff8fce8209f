# The transfer path: the activity rules as unit tests; the path end to end
# against nx420-sim and the progress window, offscreen.
target_sources(nx420_unit_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/LinkActivityTest.cpp)
if(COMMAND nx420_add_qt_test AND TARGET nx420qt AND TARGET nx420ctl_send)
  nx420_add_qt_test(transfer_path_test ${CMAKE_CURRENT_LIST_DIR}/TransferPathTest.cpp
    ${CMAKE_SOURCE_DIR}/tools/ctl/CtlLink.cpp ${CMAKE_SOURCE_DIR}/tools/ctl/CtlSend.cpp)
  target_include_directories(transfer_path_test PRIVATE ${CMAKE_SOURCE_DIR}/tools/ctl)
  target_link_libraries(transfer_path_test PRIVATE nx420simcore)
  target_compile_definitions(transfer_path_test PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
  add_dependencies(transfer_path_test nx420-sim)
endif()
