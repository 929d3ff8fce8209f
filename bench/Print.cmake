# The whole printed report of sixteen exchanges into a PDF, next to a bare
# QPdfWriter loop drawing the same texts and lines; and the user-interface
# thread's longest stall while the printing worker runs that job.
if(NOT NX420_WITH_QT)
  return()
endif()
add_executable(bench_print ${CMAKE_CURRENT_LIST_DIR}/PrintBench.cpp ${CMAKE_SOURCE_DIR}/tests/support/PopulatedSettings.cpp)
target_include_directories(bench_print PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_print PRIVATE nx420_printout benchmark::benchmark)
target_compile_options(bench_print PRIVATE ${NX420_WARNINGS})
