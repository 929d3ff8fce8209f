# Frame, channel, received texts, serial link.
target_sources(nx420_unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LinkChannelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkReceivedTextTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkSimTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SimExchangesTest.cpp
)
target_link_libraries(nx420_unit_tests PRIVATE nx420simcore)
target_compile_definitions(nx420_unit_tests PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
add_dependencies(nx420_unit_tests nx420-sim)
if(COMMAND nx420_add_qt_test AND TARGET nx420qt)
  nx420_add_qt_test(sio_thread_test ${CMAKE_CURRENT_LIST_DIR}/SioThreadTest.cpp)
  target_link_libraries(sio_thread_test PRIVATE nx420simcore)
  target_compile_definitions(sio_thread_test PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
  add_dependencies(sio_thread_test nx420-sim)
endif()
if(COMMAND nx420_add_qt_test AND TARGET nx420qt)
  nx420_add_qt_test(message_carrier_test ${CMAKE_CURRENT_LIST_DIR}/MessageCarrierTest.cpp)
endif()
