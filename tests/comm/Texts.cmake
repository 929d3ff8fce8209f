# Setting data texts: encoders, decoders, upload order, progress titles.
target_sources(nx420_unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextSample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextEncodeTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextDecodeTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextRoundTripTest.cpp)
