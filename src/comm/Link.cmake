# Frame, channel state machine, received texts, serial port and the serial link worker.
target_sources(nx420core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReceivedBlock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExchangeStatusText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SerialPort.cpp
)
if(TARGET nx420qt)
  target_sources(nx420qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MessageEvent.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageCarrier.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageCarrier.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SioThread.h
    ${CMAKE_CURRENT_LIST_DIR}/SioThread.cpp
  )
endif()
