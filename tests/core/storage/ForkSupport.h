// A child process for tests of several processes on one file: the child runs a function and
// talks to the test through two pipes.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace storage_test {

class ChildProcess
{
  public:
    // body(channel) runs in the child; its result is the child's exit code.
    explicit ChildProcess(const std::function<int(ChildProcess &)> &body)
    {
        int up[2], down[2];
        if (::pipe(up) != 0 || ::pipe(down) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(up[0]);
            ::close(down[1]);
            m_write = up[1];
            m_read = down[0];
            const int code = body(*this);
            ::_exit(code);
        }
        ::close(up[1]);
        ::close(down[0]);
        m_read = up[0];
        m_write = down[1];
    }
    ~ChildProcess()
    {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
        if (m_read >= 0)
            ::close(m_read);
        if (m_write >= 0)
            ::close(m_write);
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool Started() const { return m_pid > 0; }

    bool Send(const void *data, std::size_t n)
    {
        const auto *p = static_cast<const char *>(data);
        while (n > 0) {
            const ssize_t w = ::write(m_write, p, n);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            p += w;
            n -= static_cast<std::size_t>(w);
        }
        return true;
    }
    // False at end of stream (the other side has gone).
    bool Receive(void *data, std::size_t n)
    {
        auto *p = static_cast<char *>(data);
        while (n > 0) {
            const ssize_t r = ::read(m_read, p, n);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                return false;
            p += r;
            n -= static_cast<std::size_t>(r);
        }
        return true;
    }
    bool SendValue(std::uint32_t v) { return Send(&v, 4); }
    std::uint32_t ReceiveValue()
    {
        std::uint32_t v = 0xFFFFFFFF;
        Receive(&v, 4);
        return v;
    }

    void Kill() { ::kill(m_pid, SIGKILL); }
    // The exit code, or -1 when the child was killed.
    int Wait()
    {
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_reaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t m_pid = -1;
    int m_read = -1;
    int m_write = -1;
    bool m_reaped = false;
};

} // namespace storage_test
