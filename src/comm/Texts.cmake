# Setting data texts: fields, encoders, decoders, upload order, progress titles.
target_sources(nx420core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextFields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextEncode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextDecode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingTextSequence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgressTitles.cpp)
