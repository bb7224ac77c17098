tdlib_add_tests(widgets
  WINDOWS
    ButtonTest.cpp
    ControlTest.cpp
    HelpersTest.cpp
    LabelTest.cpp
    WindowTest.cpp
    PageTest.cpp
    PanelTest.cpp
    ScrollBarTest.cpp
)
# The gallery: scenes of controls painted and written as PNG files (see the
# README's development notes). Made once the library's objects exist.
function(tdlib_widget_gallery)
  add_executable(widget_gallery EXCLUDE_FROM_ALL
    ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/Gallery.cpp ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/PngFile.cpp)
  target_include_directories(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(widget_gallery PRIVATE tdlib_objects z)
  target_link_options(widget_gallery PRIVATE ${TDLIB_STATIC_RUNTIME})
  set_target_properties(widget_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/PageScenes.cpp)
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/FormScenes.cpp)
endfunction()
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER CALL tdlib_widget_gallery)
endif()
tdlib_add_tests(widgets
  WINDOWS
    EditTest.cpp
    CheckBoxTest.cpp
    ColorPickerTest.cpp
)
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER CALL target_sources widget_gallery PRIVATE
    ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/EditScenes.cpp
    ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/CheckBoxScenes.cpp
    ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/ColorPickerScenes.cpp)
endif()
tdlib_add_tests(widgets
  WINDOWS
    FormTest.cpp
    MemoTest.cpp
    MsgBoxTest.cpp
)
tdlib_add_tests(widgets
  WINDOWS
    GeoKeyboardWindowTest.cpp
    KeyboardWindowTest.cpp
    StdKeyboardWindowTest.cpp
)
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER CALL target_sources widget_gallery PRIVATE
    ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/KeyboardScenes.cpp)
endif()
