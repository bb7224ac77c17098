tdlib_add_tests(host WINDOWS
  CHost.c
  HostTest.cpp
)
