# Frame, channel, received texts, serial link.
target_sources(nx420_unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LinkChannelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkReceivedTextTest.cpp
)
