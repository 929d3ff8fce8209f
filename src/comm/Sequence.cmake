# Upload and download sequencing of the whole setting data.
target_sources(nx420core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TransferSequence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UploadSequence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DownloadSequence.cpp)
