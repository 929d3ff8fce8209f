# The Upload/Download window and the driver of the sequences over the link it
# shares with nx420ctl.
if(TARGET nx420qt)
  target_sources(nx420qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TransferDriver.h
    ${CMAKE_CURRENT_LIST_DIR}/TransferDriver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageComTx.h
    ${CMAKE_CURRENT_LIST_DIR}/PageComTx.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageComRx.h
    ${CMAKE_CURRENT_LIST_DIR}/SheetComm.h
    ${CMAKE_CURRENT_LIST_DIR}/SheetComm.cpp)
endif()
# The Qt Core part for nx420ctl.
set(NX420_SHEET_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TransferDriver.h
  ${CMAKE_CURRENT_LIST_DIR}/TransferDriver.cpp
  CACHE INTERNAL "")
