// Runs a program over standard streams that a shell cannot set up without races:
//   launch broken-pipe PROGRAM...          standard output a pipe whose reader is gone
//   launch pieces FILE PROGRAM...          standard input a pipe that delivers FILE a few bytes at a time
//   launch nonblocking FILE PROGRAM...     the same, with the pipe in non-blocking mode
//   launch endless FILE BYTE PROGRAM...    standard input a pipe that delivers FILE, then BYTE without end
//   launch fsize N PROGRAM...              a file-size limit of N bytes (SIGXFSZ at its default action)
//   launch blocked PROGRAM...              the fault signals blocked, as a parent may leave them
//   launch dialogue N PIECE... PROGRAM...  standard input and output pipes: waits for the first output,
//                                          then sends the N pieces one by one; after a piece that
//                                          starts with '?' (not sent) it waits for a line of answer,
//                                          5 s at most. Prints all output; exit 124 when an answer
//                                          did not come.
//   launch socket-dialogue N PIECE... PROGRAM...  the same over one socket, as a coprocess has it
// The broken-pipe signal is at its default action in the program, as a shell may leave it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

[[noreturn]] void run(char** program)
{
    signal(SIGPIPE, SIG_DFL);
    execvp(program[0], program);
    std::perror(program[0]);
    _exit(127);
}

// Writes the file into the pipe in pieces of 5 bytes, a millisecond apart.
void trickle(const char* path, int out)
{
    int in = open(path, O_RDONLY);
    if (in < 0) return;
    char piece[5];
    const timespec pause{0, 1000000};
    for (ssize_t n; (n = read(in, piece, sizeof piece)) > 0;) {
        nanosleep(&pause, nullptr);
        for (ssize_t done = 0; done < n;) {
            ssize_t w = write(out, piece + done, static_cast<size_t>(n - done));
            if (w < 0) return;  // the program has ended
            done += w;
        }
    }
}

// Writes the file, then the byte again and again, until the program has ended.
void endless(const char* path, char byte, int out)
{
    trickle(path, out);
    char block[4096];
    std::memset(block, byte, sizeof block);
    while (write(out, block, sizeof block) > 0) {
    }
}

// Starts the program with standard input from `in_end` and output to `out_end` (-1: inherited).
pid_t start(char** program, int in_end, int out_end, int close1, int close2)
{
    pid_t child = fork();
    if (child == 0) {
        if (in_end >= 0) dup2(in_end, STDIN_FILENO);
        if (out_end >= 0) dup2(out_end, STDOUT_FILENO);
        for (int fd : {in_end, out_end, close1, close2})
            if (fd > 2) close(fd);
        run(program);
    }
    return child;
}

// Reads the program's output into `out` until `done` holds, for 5 s at most; false at the deadline.
template <typename Done>
bool gather(int from, std::string& out, Done done)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{from, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buf[4096];
        ssize_t n = read(from, buf, sizeof buf);
        if (n <= 0) return done();  // the program has ended
        out.append(buf, static_cast<std::size_t>(n));
    }
    return true;
}

int wait_for(pid_t child);

int dialogue(int pieces, char** piece, char** program, bool over_socket)
{
    int to, from;  // where this side writes the program's input and reads its output
    pid_t child;
    if (over_socket) {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) return 2;
        child = start(program, ends[1], ends[1], ends[0], -1);
        close(ends[1]);
        to = from = ends[0];
    } else {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) return 2;
        child = start(program, in[0], out[1], in[1], out[0]);
        close(in[0]);
        close(out[1]);
        to = in[1], from = out[0];
    }
    signal(SIGPIPE, SIG_IGN);
    std::string output;
    bool answered = gather(from, output, [&] { return !output.empty(); });
    for (int i = 0; i < pieces && answered; ++i) {
        bool wait = piece[i][0] == '?';
        const char* text = piece[i] + (wait ? 1 : 0);
        std::size_t before = output.size();
        if (write(to, text, std::strlen(text)) < 0) break;
        if (wait) answered = gather(from, output, [&] { return output.find('\n', before) != std::string::npos; });
        if (!answered) std::fprintf(stderr, "launch: no answer to piece %d within 5 s\n", i + 1);
    }
    if (!answered) kill(child, SIGKILL);
    if (over_socket) shutdown(to, SHUT_WR);  // the end of input, with output still to come
    else close(to);
    for (char buf[4096];;) {  // what the program writes until it ends
        ssize_t n = read(from, buf, sizeof buf);
        if (n <= 0) break;
        output.append(buf, static_cast<std::size_t>(n));
    }
    int code = wait_for(child);
    std::fwrite(output.data(), 1, output.size(), stdout);
    return answered ? code : 124;
}

int wait_for(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string mode = argc >= 3 ? argv[1] : "";
    if (mode == "broken-pipe") {
        int ends[2];
        if (pipe(ends) != 0) return 2;
        close(ends[0]);
        dup2(ends[1], STDOUT_FILENO);
        close(ends[1]);
        run(argv + 2);
    }
    if (mode == "fsize") {
        rlimit limit{std::strtoul(argv[2], nullptr, 10), RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_DFL);
        run(argv + 3);
    }
    if (mode == "blocked") {
        sigset_t faults;
        sigemptyset(&faults);
        for (int sig : {SIGSEGV, SIGFPE, SIGILL, SIGBUS, SIGTRAP}) sigaddset(&faults, sig);
        sigprocmask(SIG_BLOCK, &faults, nullptr);
        run(argv + 2);
    }
    if ((mode == "dialogue" || mode == "socket-dialogue") && argc >= 4) {
        int pieces = std::atoi(argv[2]);
        if (pieces >= 0 && 3 + pieces < argc) return dialogue(pieces, argv + 3, argv + 3 + pieces, mode != "dialogue");
    }
    bool nonblocking = mode == "nonblocking";
    bool endless_input = mode == "endless" && argc >= 5;
    if (argc >= 4 && (nonblocking || endless_input || mode == "pieces")) {
        int ends[2];
        if (pipe(ends) != 0) return 2;
        if (nonblocking) fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
        pid_t child = start(argv + (endless_input ? 4 : 3), ends[0], -1, ends[1], -1);
        close(ends[0]);
        signal(SIGPIPE, SIG_IGN);
        if (endless_input) endless(argv[2], argv[3][0], ends[1]);
        else trickle(argv[2], ends[1]);
        close(ends[1]);
        return wait_for(child);
    }
    std::fputs("usage: launch broken-pipe|pieces FILE|nonblocking FILE|endless FILE BYTE|fsize N|blocked"
               "|[socket-]dialogue N PIECE... PROGRAM [ARG...]\n", stderr);
    return 2;
}
