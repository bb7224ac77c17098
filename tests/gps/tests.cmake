tdlib_add_tests(gps PORTABLE GpsSmokeTest.cpp)
