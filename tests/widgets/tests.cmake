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
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/ChartViewerScenes.cpp)
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/EditScenes.cpp)
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/CheckBoxScenes.cpp)
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/ColorPickerScenes.cpp)
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/KeyboardScenes.cpp)
  target_sources(widget_gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/ListScenes.cpp)
endfunction()
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER CALL tdlib_widget_gallery)
endif()
tdlib_add_tests(widgets
  WINDOWS
    FormTest.cpp
    MemoTest.cpp
    MsgBoxTest.cpp
)
# The chart viewer, on small charts of the chart tests' builders.
tdlib_add_tests(widgets WINDOWS ChartViewerTest.cpp)
# The demo that scripts/run.sh shows: a generated chart written, read back
# through the exports and drawn by the chart viewer into PNG files.
function(tdlib_chart_viewer_demo)
  add_executable(chart_viewer_demo EXCLUDE_FROM_ALL
    ${CMAKE_SOURCE_DIR}/tests/widgets/demo/ChartViewerDemo.cpp
    ${CMAKE_SOURCE_DIR}/tests/widgets/demo/DemoHostCheck.cpp
    ${CMAKE_SOURCE_DIR}/tests/widgets/gallery/PngFile.cpp)
  target_include_directories(chart_viewer_demo PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(chart_viewer_demo PRIVATE tdlib_objects z)
  target_link_options(chart_viewer_demo PRIVATE ${TDLIB_STATIC_RUNTIME})
  set_target_properties(chart_viewer_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER CALL tdlib_chart_viewer_demo)
endif()
tdlib_add_tests(widgets
  WINDOWS
    ButtonMenuTest.cpp
)
tdlib_add_tests(widgets
  WINDOWS
    EditTest.cpp
    CheckBoxTest.cpp
    ColorPickerTest.cpp
)
tdlib_add_tests(widgets
  WINDOWS
    GeoKeyboardWindowTest.cpp
    KeyboardWindowTest.cpp
    StdKeyboardWindowTest.cpp
)
# The list view and the image browser: their tests and the list view's timing
# program, which scripts/bench.sh runs under Wine.
tdlib_add_tests(widgets
  WINDOWS
    ImageBrowserTest.cpp
    ListViewTest.cpp
)
function(tdlib_list_view_extras)
  add_executable(listview_timing EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/widgets/ListViewTiming.cpp)
  target_include_directories(listview_timing PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(listview_timing PRIVATE tdlib_objects)
  target_link_options(listview_timing PRIVATE ${TDLIB_STATIC_RUNTIME})
  set_target_properties(listview_timing PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER CALL tdlib_list_view_extras)
endif()
# Handlers that delete their control or window, and setters given a control's
# own bitmap, watched through poisoned freed memory.
tdlib_add_tests(widgets
  WINDOWS
    FreedMemory.cpp
    HandlerDeletionTest.cpp
    OwnBitmapTest.cpp
)
