tdlib_add_tests(host WINDOWS
  CHost.c
  HostTest.cpp
)
tdlib_add_tests(host WINDOWS
  ServicesHostTest.cpp
)
tdlib_add_tests(host WINDOWS
  BmpHost.c
  BmpHostTest.cpp
)
tdlib_add_tests(host WINDOWS
  ImageHost.c
  ImageHostTest.cpp
)
