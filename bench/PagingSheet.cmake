# The Paging sheet of a 16-exchange installation: opened and shown, and its
# substation grid rebuilt by a change of the zone digits.
if(NX420_WITH_QT AND TARGET nx420testsupport)
  add_executable(bench_paging_sheet ${CMAKE_CURRENT_LIST_DIR}/PagingSheetBench.cpp)
  target_link_libraries(bench_paging_sheet PRIVATE nx420_editors nx420testsupport)
  target_compile_options(bench_paging_sheet PRIVATE ${NX420_WARNINGS})
endif()
