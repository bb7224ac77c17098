# The track log: recording with both files written, and loading a track file.
# No other library reads this format, so there is no peer.
add_executable(track_log_bench ${CMAKE_CURRENT_LIST_DIR}/TrackLogBench.cpp)
target_link_libraries(track_log_bench PRIVATE tdlib_objects benchmark::benchmark)
