# Upload and download sequencing.
target_sources(nx420_unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/UploadSequenceTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DownloadSequenceTest.cpp)
# End to end against nx420-sim (the simulator program and its library come with Link.cmake).
if(TARGET nx420-sim)
  target_sources(nx420_unit_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/TransferSimTest.cpp)
endif()
