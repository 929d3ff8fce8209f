# The Dialing Assignment window: showing a master's table and a full validation.
if(NOT NX420_WITH_QT)
  return()
endif()
add_executable(bench_dialing ${CMAKE_CURRENT_LIST_DIR}/DialingBench.cpp)
target_link_libraries(bench_dialing PRIVATE nx420_editors)
target_compile_options(bench_dialing PRIVATE ${NX420_WARNINGS})
