tdlib_add_tests(foundation PORTABLE
  ContainerTest.cpp
  ErrorCodesTest.cpp
  LanguageTest.cpp
  StrTest.cpp
)
