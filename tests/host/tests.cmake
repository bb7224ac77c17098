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
  WaypointHost.c
  WaypointHostTest.cpp
  GpsHost.c
  GpsHostTest.cpp
)
tdlib_add_tests(host WINDOWS
  CommHostTest.cpp
)
tdlib_add_tests(host WINDOWS
  NightScreenHost.c
  NightScreenHostTest.cpp
)
tdlib_add_tests(host WINDOWS
  ImageHost.c
  ImageHostTest.cpp
)
tdlib_add_tests(host WINDOWS
  CarelessHost.c
  CarelessHostTest.cpp
)
