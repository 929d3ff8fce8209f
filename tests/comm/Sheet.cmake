# The Upload/Download window and nx420ctl upload/download against nx420-sim.
if(COMMAND nx420_add_qt_test AND TARGET nx420qt AND TARGET nx420-sim)
  nx420_add_qt_test(sheet_comm_test ${CMAKE_CURRENT_LIST_DIR}/SheetCommTest.cpp)
  target_link_libraries(sheet_comm_test PRIVATE nx420simcore)
  target_compile_definitions(sheet_comm_test PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
  add_dependencies(sheet_comm_test nx420-sim)
  if(TARGET nx420ctl_send)
    nx420_add_qt_test(ctl_transfer_test ${CMAKE_CURRENT_LIST_DIR}/CtlTransferTest.cpp)
    target_link_libraries(ctl_transfer_test PRIVATE nx420simcore)
    target_compile_definitions(ctl_transfer_test PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>"
      NX420_CTL_PROGRAM="$<TARGET_FILE:nx420ctl>")
    add_dependencies(ctl_transfer_test nx420-sim nx420ctl)
  endif()
endif()
