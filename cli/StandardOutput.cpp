#include "cli/StandardOutput.h"

#include "cli/ExitStatus.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace lumelle {

StandardOutput::StandardOutput()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        if (fd == 1)
            m_closed = true;
        const int stand =
            ::open(fd == 1 ? "/dev/full" : "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (stand >= 0 && stand != fd) {
            ::dup2(stand, fd);
            ::close(stand);
        }
    }
}

void StandardOutput::flush()
{
    if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && m_error == 0)
        m_error = m_closed ? EBADF : errno != 0 ? errno : EIO;
}

int StandardOutput::checkedStatus(int status)
{
    flush();
    if (m_error == 0)
        return status;
    std::fprintf(stderr, "lumelle-convert: cannot write to standard output: %s\n",
                 std::strerror(m_error));
    return status == 0 || status == kEntriesSkipped ? 1 : status;
}

} // namespace lumelle
