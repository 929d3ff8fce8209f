# Log texts streamed by nx420-sim as fast as the line takes them, into the
# program with the Log Data window open.
if(NOT NX420_WITH_QT OR NOT TARGET nx420testsupport)
  return()
endif()
add_executable(bench_record_stream ${CMAKE_CURRENT_LIST_DIR}/RecordStreamBench.cpp)
target_link_libraries(bench_record_stream PRIVATE nx420_app nx420simcore nx420testsupport)
target_compile_options(bench_record_stream PRIVATE ${NX420_WARNINGS})
target_compile_definitions(bench_record_stream PRIVATE NX420_SIM_PROGRAM="$<TARGET_FILE:nx420-sim>")
add_dependencies(bench_record_stream nx420-sim)
