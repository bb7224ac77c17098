// Visual styles: "uxtheme.dll" is loaded on demand by ThemesInitialize and
// freed at unload; without it the queries answer false.
#pragma once

// The work of the themes exports. Call them on the host's main thread.
namespace td {

void ThemesInitialize();
bool ThemesAvailable();
// Available, and the application is themed with a theme active.
bool ThemesEnabled();

}  // namespace td
