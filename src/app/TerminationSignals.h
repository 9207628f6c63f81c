#pragma once
// Ends the event loop in order when the session asks the program to stop (SIGTERM,
// SIGINT, SIGHUP), so that the bar saves its placement as on a normal exit.

namespace parvo {

void QuitOnTerminationSignals();

} // namespace parvo
