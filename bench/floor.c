/* The floor of a renaming run: for every path of a NUL-separated list, one stat and one
   renameat2 that never replaces, old name "x…" to new name "neu…", nothing else. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "Aufruf: floor LISTE\n");
        return 2;
    }
    FILE* list = fopen(argv[1], "r");
    if (list == NULL) {
        return 2;
    }
    char* path = NULL;
    size_t size = 0;
    char target[8192];
    while (getdelim(&path, &size, '\0', list) > 0) {
        struct stat st;
        const char* name = strrchr(path, '/') + 1;
        snprintf(target, sizeof target, "%.*sneu%s", (int)(name - path), path, name + 1);
        if (stat(path, &st) != 0 ||
            renameat2(AT_FDCWD, path, AT_FDCWD, target, RENAME_NOREPLACE) != 0) {
            perror(path);
            return 1;
        }
    }
    free(path);
    fclose(list);
    return 0;
}
