tdlib_add_tests(widgets
  WINDOWS
    ButtonTest.cpp
    ControlTest.cpp
    HelpersTest.cpp
    LabelTest.cpp
    WindowTest.cpp
)
