#include "test_support.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#ifndef _WIN32
#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <grp.h>
#include <unistd.h>
#endif
#include <cerrno>
#include <cstring>

namespace brackle::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    std::random_device rd;
    for (int i = 0; i < 100; ++i) {
        path_ = fs::temp_directory_path() /
                ("brackle-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        if (fs::create_directory(path_))
            return;
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::vector<unsigned char> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::optional<std::string> RunInChild(const ChildSetup& setup, const std::function<std::string()>& fn,
                                      std::string& why)
{
#ifdef _WIN32
    (void)setup;
    (void)fn;
    why = "no fork on this system";
    return std::nullopt;
#else
    int fds[2];
    if (::pipe(fds) != 0) {
        why = "no pipe";
        return std::nullopt;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        why = "cannot fork";
        return std::nullopt;
    }
    if (pid == 0) {
        ::close(fds[0]);
        auto send = [&](const std::string& text) {
            std::size_t done = 0;
            while (done < text.size()) {
                const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            ::_exit(0);
        };
        ::alarm(10);
        if (setup.smallDisk) {
            if (::unshare(CLONE_NEWNS) != 0)
                send(std::string("\1no mount namespace: ") + std::strerror(errno));
            if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                send(std::string("\1cannot make mounts private: ") + std::strerror(errno));
            if (::mount("brackle-test", setup.smallDisk->c_str(), "tmpfs", 0, "size=64k") != 0)
                send(std::string("\1cannot mount a small tmpfs: ") + std::strerror(errno));
        }
        if (setup.unprivileged && ::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                send(std::string("\1cannot become nobody: ") + std::strerror(errno));
            if (::geteuid() == 0)
                send("\1still root");
        }
        send(fn());
    }
    ::close(fds[1]);
    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return "child killed by signal " + std::to_string(WTERMSIG(status)) + " (" + out + ")";
    if (!out.empty() && out[0] == '\1') {
        why = out.substr(1);
        return std::nullopt;
    }
    return out;
#endif
}

}  // namespace brackle::test
