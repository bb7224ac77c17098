# The widget toolkit: controls drawn and hit-tested on the library's own window class.
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/widgets/BitmapClip.cpp
  lib/widgets/Button.cpp
  lib/widgets/Control.cpp
  lib/widgets/DrawHelpers.cpp
  lib/widgets/ImageFolder.cpp
  lib/widgets/InputState.cpp
  lib/widgets/Label.cpp
  lib/widgets/ScreenBuffer.cpp
  lib/widgets/TextPlacement.cpp
  lib/widgets/Window.cpp
  lib/widgets/BitmapFile.cpp
  lib/widgets/Page.cpp
  lib/widgets/Panel.cpp
  lib/widgets/ProgressBar.cpp
  lib/widgets/ScrollBar.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/widgets/Form.cpp
  lib/widgets/Memo.cpp
  lib/widgets/Edit.cpp
  lib/widgets/CheckBox.cpp
  lib/widgets/ColorPicker.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/widgets/MsgBox.cpp
  lib/widgets/ScreenMetrics.cpp
  lib/widgets/ToolkitTexts.cpp
)
# The chart viewer; its render step builds natively for the benchmark.
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/widgets/ChartViewer.cpp
)
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/widgets/ChartRender.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/widgets/ButtonMenu.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/widgets/GeoKeyboardWindow.cpp
  lib/widgets/KeyboardWindow.cpp
  lib/widgets/StdKeyboardWindow.cpp
)
# The list view and the image browser.
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/widgets/ImageBrowser.cpp
  lib/widgets/ListView.cpp
)
