# Upload and download sequencing.
target_sources(nx420_unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/UploadSequenceTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DownloadSequenceTest.cpp)
