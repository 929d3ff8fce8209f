# The transfer path: activity rules (pure), and in the Qt layer the transfer
# manager, the send routine, the view's side of the link, the progress window
# and the link's shell services.
target_sources(nx420core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/LinkActivity.cpp)
if(TARGET nx420qt)
  target_sources(nx420qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TransferRequest.h
    ${CMAKE_CURRENT_LIST_DIR}/TransMng.h
    ${CMAKE_CURRENT_LIST_DIR}/TransMng.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SendRoutine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../ui/ProgressWindow.h
    ${CMAKE_CURRENT_LIST_DIR}/../ui/ProgressWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/LinkServices.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../shell/EditorLinkTransfer.h
    ${CMAKE_CURRENT_LIST_DIR}/../shell/EditorLinkTransfer.cpp
  )
endif()
# The Qt Core part alone, for the command-line companion (no widgets).
set(NX420_TRANSFER_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MessageCarrier.h
  ${CMAKE_CURRENT_LIST_DIR}/MessageCarrier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SioThread.h
  ${CMAKE_CURRENT_LIST_DIR}/SioThread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TransMng.h
  ${CMAKE_CURRENT_LIST_DIR}/TransMng.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SendRoutine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewLink.cpp
  CACHE INTERNAL "")
