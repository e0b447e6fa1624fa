// Runs a program on a pseudo-terminal as a person would, following a script of steps:
//   pty_session PROGRAM VAR=VALUE... -- STEP...
// The program's environment is PATH and the given variables. Steps:
//   expect:TEXT   TEXT appears on the screen, after what the last expect matched (5 s at most)
//   type:TEXT     TEXT is typed, then Enter
//   ctrl-d        the end-of-input key
//   waits         the program is still running, waiting for input
//   exit:N        the program ends with exit code N
// Prints what went wrong, and the screen, on failure; exits 0 when every step held.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int master = -1;
pid_t child = -1;
std::string screen;
std::size_t seen = 0;  // what the last expect matched ends here

// Takes in what the program has written, for up to `ms` milliseconds; false once it has ended.
bool pump(int ms)
{
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return true;
    char buf[4096];
    ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) return false;  // the terminal's other side is closed
    screen.append(buf, static_cast<std::size_t>(n));
    return true;
}

bool expect(const std::string& text)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        auto at = screen.find(text, seen);
        if (at != std::string::npos) {
            seen = at + text.size();
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline || !pump(50)) return screen.find(text, seen) != std::string::npos;
    }
}

void type(const std::string& text)
{
    for (std::size_t done = 0; done < text.size();) {
        ssize_t n = write(master, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

bool waits()
{
    for (int i = 0; i < 6; ++i) pump(50);
    return waitpid(child, nullptr, WNOHANG) == 0;
}

bool exits(int code)
{
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        pump(20);
    }
    while (pump(20)) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == code;
}

std::string shown(const std::string& s)
{
    std::string out;
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n\n";
        else if (c < 0x20) out.append(1, '^').append(1, static_cast<char>(c + 64));
        else out.append(1, static_cast<char>(c));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> env = {"PATH=/usr/bin:/bin"};
    int i = 2;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) env.push_back(argv[i]);
    if (argc < 2 || i == argc) {
        std::fputs("usage: pty_session PROGRAM VAR=VALUE... -- STEP...\n", stderr);
        return 2;
    }

    winsize size{24, 80, 0, 0};
    child = forkpty(&master, nullptr, nullptr, &size);
    if (child < 0) return 2;
    if (child == 0) {
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        char* args[] = {argv[1], nullptr};
        execve(argv[1], args, envp.data());
        _exit(127);
    }

    for (++i; i < argc; ++i) {
        std::string step = argv[i];
        bool held = true;
        if (step.rfind("expect:", 0) == 0) held = expect(step.substr(7));
        else if (step.rfind("type:", 0) == 0) type(step.substr(5).append(1, '\r'));
        else if (step == "ctrl-d") type("\x04");
        else if (step == "waits") held = waits();
        else if (step.rfind("exit:", 0) == 0) held = exits(std::atoi(step.c_str() + 5));
        else held = false;
        if (!held) {
            std::printf("step %s did not hold; the screen:\n%s\n", shown(step).c_str(), shown(screen).c_str());
            kill(child, SIGKILL);
            return 1;
        }
    }
    kill(child, SIGKILL);
    return 0;
}
