// Wall time of two programs run alternately, in pairs, over the same standard input:
//   pairs N INPUT BASELINE PROGRAM
// Prints the median time of each and the median of the per-pair ratios PROGRAM / BASELINE.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

extern char** environ;

namespace {

double run_once(const char* program, const char* input)
{
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, input, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program), nullptr};
    timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid;
    if (posix_spawn(&pid, program, &files, nullptr, argv, environ) != 0) std::exit(2);
    int status;
    waitpid(pid, &status, 0);
    clock_gettime(CLOCK_MONOTONIC, &end);
    posix_spawn_file_actions_destroy(&files);
    return static_cast<double>(end.tv_sec - start.tv_sec) + static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fputs("usage: pairs N INPUT BASELINE PROGRAM\n", stderr);
        return 2;
    }
    int n = std::atoi(argv[1]);
    std::vector<double> base, prog, ratio;
    for (int i = 0; i < n + 10; ++i) {
        // Alternate which goes first, so that neither always runs on a warmer machine.
        double a, b;
        if (i % 2 == 0) a = run_once(argv[3], argv[2]), b = run_once(argv[4], argv[2]);
        else b = run_once(argv[4], argv[2]), a = run_once(argv[3], argv[2]);
        if (i < 10) continue;  // warm-up
        base.push_back(a);
        prog.push_back(b);
        ratio.push_back(b / a);
    }
    std::printf("%.1f %.1f %.3f\n", median(base) * 1e6, median(prog) * 1e6, median(ratio));
}
