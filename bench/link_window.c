// Preloaded into taufix-batch: refuses the no-replace flag as network and FUSE file systems do,
// so that renamings go by link and unlink, and measures how long the old name stays exposed
// between the look at it (statx) and its unlink. Writes the gaps in nanoseconds, one a line, to
// the file named by TAUFIX_LINK_WINDOW_OUT as they come: the program ends without running exit
// handlers.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

static long long lookedAt;
static char lookedAtName[4096];

static long long now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

int renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath,
              unsigned int flags) {
    (void)olddirfd, (void)oldpath, (void)newdirfd, (void)newpath, (void)flags;
    errno = EINVAL;
    return -1;
}

int statx(int dirfd, const char* path, int flags, unsigned int mask, struct statx* buffer) {
    static int (*real)(int, const char*, int, unsigned int, struct statx*);
    if (real == NULL) {
        real = dlsym(RTLD_NEXT, "statx");
    }
    const int result = real(dirfd, path, flags, mask, buffer);
    snprintf(lookedAtName, sizeof lookedAtName, "%s", path);
    lookedAt = now();
    return result;
}

int unlinkat(int dirfd, const char* path, int flags) {
    static int (*real)(int, const char*, int);
    if (real == NULL) {
        real = dlsym(RTLD_NEXT, "unlinkat");
    }
    const long long gap = now() - lookedAt;
    const int result = real(dirfd, path, flags);
    static FILE* out;
    if (out == NULL && getenv("TAUFIX_LINK_WINDOW_OUT") != NULL) {
        out = fopen(getenv("TAUFIX_LINK_WINDOW_OUT"), "w");
    }
    if (out != NULL && strcmp(path, lookedAtName) == 0) {
        fprintf(out, "%lld\n", gap);
        fflush(out);
    }
    return result;
}
