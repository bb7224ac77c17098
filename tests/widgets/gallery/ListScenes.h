// Gallery scenes of the list view and the image browser.
#pragma once

class CFontDesc;
class CWindow;

void ListTextScene(CWindow& window, CFontDesc& font);
void ListCheckScene(CWindow& window, CFontDesc& font);
void ListVisibleScene(CWindow& window, CFontDesc& font);
void ListIconScene(CWindow& window, CFontDesc& font);
// The browser runs modally over a folder made for it; its first painted
// picture is kept in the scene's window.
void ImageBrowserScene(CWindow& window, CFontDesc& font);
