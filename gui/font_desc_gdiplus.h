#pragma once

namespace VSTGUI {

// Releases the GDI+ font of every description that holds one, the eight
// predefined ones first, before GDI+ shuts down: a GDI+ font must not outlive
// its GDI+, and every description makes its font again after the next start.
// [GUI thread]
void freePlatformFontsBeforeShutdown();

} // namespace VSTGUI
