// Runs a program over standard streams that a shell cannot set up without races:
//   launch broken-pipe PROGRAM...          standard output a pipe whose reader is gone
//   launch pieces FILE PROGRAM...          standard input a pipe that delivers FILE a few bytes at a time
//   launch nonblocking FILE PROGRAM...     the same, with the pipe in non-blocking mode
// The broken-pipe signal is at its default action in the program, as a shell may leave it.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

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
    if (argc >= 3 && std::strcmp(argv[1], "broken-pipe") == 0) {
        int ends[2];
        if (pipe(ends) != 0) return 2;
        close(ends[0]);
        dup2(ends[1], STDOUT_FILENO);
        close(ends[1]);
        run(argv + 2);
    }
    bool nonblocking = argc >= 4 && std::strcmp(argv[1], "nonblocking") == 0;
    if (argc >= 4 && (nonblocking || std::strcmp(argv[1], "pieces") == 0)) {
        int ends[2];
        if (pipe(ends) != 0) return 2;
        if (nonblocking) fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
        pid_t child = fork();
        if (child == 0) {
            dup2(ends[0], STDIN_FILENO);
            close(ends[0]);
            close(ends[1]);
            run(argv + 3);
        }
        close(ends[0]);
        signal(SIGPIPE, SIG_IGN);
        trickle(argv[2], ends[1]);
        close(ends[1]);
        return wait_for(child);
    }
    std::fputs("usage: launch broken-pipe|pieces FILE|nonblocking FILE PROGRAM [ARG...]\n", stderr);
    return 2;
}
