add_executable(stream_bench ${CMAKE_CURRENT_LIST_DIR}/StreamBench.cpp)
target_link_libraries(stream_bench PRIVATE tdlib_objects benchmark::benchmark)
set_target_properties(stream_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
