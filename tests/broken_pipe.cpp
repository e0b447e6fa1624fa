// Runs a program with standard output a pipe whose reader is already gone,
// and the broken-pipe signal at its default action, as a shell pipeline can leave it.
#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: broken_pipe PROGRAM [ARG...]\n", stderr);
        return 2;
    }
    int ends[2];
    if (pipe(ends) != 0) return 2;
    close(ends[0]);
    dup2(ends[1], STDOUT_FILENO);
    close(ends[1]);
    std::signal(SIGPIPE, SIG_DFL);
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
