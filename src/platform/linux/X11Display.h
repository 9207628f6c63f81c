#pragma once
// The bar docks, reserves its strip and places itself through X11. On a Wayland session
// it runs on the session's X server (XWayland) unless the user chose a platform himself.

namespace parvo {

// Chooses the toolkit's X11 platform; to be called before the application object exists.
// When no X11 display can be reached the user is told on the standard error; on a Wayland
// session the bar then runs there without docking, otherwise there is nothing to run on
// and the answer is false.
bool ChooseX11Platform();

} // namespace parvo
