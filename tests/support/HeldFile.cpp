#include "HeldFile.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

THeldFile::THeldFile(const std::string& path) {
    int ready[2];
    if (pipe(ready) != 0)
        throw std::runtime_error("pipe failed");
    child = fork();
    if (child == 0) {
        const int fd = open(path.c_str(), O_RDWR);
        const char ok = fd >= 0 && flock(fd, LOCK_EX) == 0 ? 1 : 0;
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char ok = 0;
    const bool got = read(ready[0], &ok, 1) == 1;
    close(ready[0]);
    if (!got || !ok) {
        Release();
        throw std::runtime_error("could not lock " + path);
    }
}

THeldFile::~THeldFile() {
    Release();
}

void THeldFile::Release() {
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        child = -1;
    }
}
