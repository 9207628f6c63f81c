#include "app/SessionBusAhead.h"

#include <QDBusConnection>
#include <QThreadPool>

namespace parvo {

void ConnectSessionBusAhead()
{
    // The toolkit keeps the one session-bus connection of the process, whichever thread
    // asks first; a desktop without a bus answers at once.
    QThreadPool::globalInstance()->start([] { QDBusConnection::sessionBus(); });
}

} // namespace parvo
