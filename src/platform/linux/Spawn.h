#pragma once
// Starting a program the way a launcher does: detached (in a session of its own, never
// waited for), reading nothing, and with its arguments passed as the very bytes given,
// so a file name that is not UTF-8 reaches it unchanged.

#include <QByteArray>
#include <QList>

namespace parvo {

// Starts the program at the path argv[0] with argv as its argument list, working in
// `workingDir` (empty: ours). True once the program is running; false when it could not
// be started (no such program, not executable, no such working folder).
bool SpawnDetached(const QList<QByteArray>& argv, const QByteArray& workingDir = {});

} // namespace parvo
