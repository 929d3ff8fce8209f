target_sources(nx420core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Password.cpp)
