# Start-up of the program to its main window shown and idle, next to an empty
# QMainWindow program built with the same flags; the driver runs both in turn.
if(NOT NX420_WITH_QT)
  return()
endif()
add_executable(startup_empty_window ${CMAKE_CURRENT_LIST_DIR}/StartupEmptyWindow.cpp)
target_link_libraries(startup_empty_window PRIVATE Qt6::Widgets)
target_compile_options(startup_empty_window PRIVATE ${NX420_WARNINGS})

add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
target_link_libraries(bench_startup PRIVATE nx420_texts)
target_compile_options(bench_startup PRIVATE ${NX420_WARNINGS})
target_compile_definitions(bench_startup PRIVATE
  NX420_PROGRAM="$<TARGET_FILE:nx420>"
  NX420_EMPTY_WINDOW="$<TARGET_FILE:startup_empty_window>")
add_dependencies(bench_startup nx420 startup_empty_window)
