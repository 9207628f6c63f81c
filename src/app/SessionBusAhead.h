#pragma once
// The session bus, connected on a pool thread as soon as the application object exists.
// The toolkit's accessibility bridge connects to that bus at the first change of any
// widget's text or state, which for the bar comes while it is built, before its window
// maps; connecting is some round trips to the bus daemon and most of the bridge's cost.
// Made ahead, the connection is ready by then, or nearly so, and the bridge only waits
// for what is left of it.

namespace parvo {

// Call once the application object exists; the pool is waited for as the application ends.
void ConnectSessionBusAhead();

} // namespace parvo
