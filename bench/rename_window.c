// Preloaded into a renamer: measures, per thread, how long a name stays unchecked between the
// statx that confirms it is still the planned file and the renameat2 that moves it. Writes the
// gaps in nanoseconds, one a line, to the file named by TAUFIX_RENAME_WINDOW_OUT as they come:
// the programs end without running exit handlers, and two threads append whole lines.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

static __thread long long lookedAt;
static int out = -1;

static long long now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// Opened before the program starts its threads.
__attribute__((constructor)) static void openOut(void) {
    const char* name = getenv("TAUFIX_RENAME_WINDOW_OUT");
    if (name != NULL) {
        out = open(name, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    }
}

int statx(int dirfd, const char* path, int flags, unsigned int mask, struct statx* buffer) {
    static int (*real)(int, const char*, int, unsigned int, struct statx*);
    if (real == NULL) {
        real = dlsym(RTLD_NEXT, "statx");
    }
    const int result = real(dirfd, path, flags, mask, buffer);
    lookedAt = now();
    return result;
}

int renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath,
              unsigned int flags) {
    static int (*real)(int, const char*, int, const char*, unsigned int);
    if (real == NULL) {
        real = dlsym(RTLD_NEXT, "renameat2");
    }
    const long long gap = now() - lookedAt;
    if (lookedAt != 0 && out >= 0) {
        char line[32];
        const int length = snprintf(line, sizeof line, "%lld\n", gap);
        if (write(out, line, (size_t)length) != length) {
            _exit(3);
        }
    }
    lookedAt = 0;  // a renaming without its own look is not one of the gaps
    return real(olddirfd, oldpath, newdirfd, newpath, flags);
}
