/* Runs a command and writes its wall time in seconds, its peak resident memory in KiB and its
   exit status to a file, from the kernel's own accounting of the finished process; the command
   keeps standard output and error for itself. */
#define _GNU_SOURCE
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "Aufruf: timed ERGEBNISDATEI BEFEHL [ARGUMENT]...\n");
        return 2;
    }
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    wait4(child, &status, 0, &usage);
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double seconds = (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
    FILE* result = fopen(argv[1], "w");
    if (result == NULL) {
        return 2;
    }
    fprintf(result, "%.4f %ld %d\n", seconds, usage.ru_maxrss,
            WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    fclose(result);
    return 0;
}
