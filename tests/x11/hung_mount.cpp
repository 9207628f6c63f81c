// A file system that never answers, as a network mount whose server has gone: mounts a
// FUSE file system at the given folder and then never reads a request, so every look at
// it (a stat, a listing) waits in the kernel until this process ends.
// usage: hung_mount FOLDER      prints "ready" once mounted, then waits to be killed
#include <cstdio>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hung_mount FOLDER\n");
        return 2;
    }
    const int fd = open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        std::perror("hung_mount: /dev/fuse");
        return 3;
    }
    char options[128];
    std::snprintf(options, sizeof options, "fd=%d,rootmode=40000,user_id=%u,group_id=%u", fd, unsigned(getuid()),
                  unsigned(getgid()));
    if (mount("hung", argv[1], "fuse.hung", MS_NOSUID | MS_NODEV, options) != 0) {
        std::perror("hung_mount: mount");
        return 4;
    }
    std::puts("ready");
    std::fflush(stdout);
    for (;;)
        pause();
}
