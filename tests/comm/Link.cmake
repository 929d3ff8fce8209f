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
