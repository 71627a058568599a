/* The least a careful renamer does, as the yardstick between the floor and taufix-batch: for a
   NUL-separated list of paths "…/x…", it lists every folder, checks the whole plan, writes and
   syncs a journal, then renames each file to "neu…" by a renameat2 that never replaces, right
   after a statx has shown that the name still is the file the plan saw. With -j the journal is
   written while the plan is checked and two threads rename; -v gives the time of each phase. */
#define _GNU_SOURCE
#include <ctype.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <time.h>
#include <unistd.h>

enum { kFlushAt = 64 * 1024 };

typedef struct {
    char* data;
    size_t len, cap;
} Buffer;

typedef struct {  // a folder's entry as listed
    const char* name;
    uint32_t len, hash;
    ino_t ino;
    unsigned char type, leaving;
} Entry;

typedef struct {  // open addressing; a slot holds an index + 1, 0 when free
    uint32_t* slot;
    uint32_t mask;
} Table;

typedef struct {
    const char* path;
    int fd;
    dev_t dev;
    long nameMax;
    Entry* entries;
    size_t count;
    Table names, fresh;  // the listing and the new names, both by name folded to lower case
    size_t files;
} Folder;

typedef struct {
    const char *old, *fresh;
    uint32_t oldLen, freshLen, folder;
    const Entry* entry;
} Item;

typedef struct {
    Folder* folders;
    Item* items;
    size_t count;
    int fd, dirFd;
    char path[4096];
    double began, written, synced;
} Journal;

typedef struct {
    const Journal* journal;
    int fd;  // where the records go as they pass 64 KiB, -1 to keep them in memory
    size_t from, to, renamed;
    Buffer records;
} Share;

static double now(clockid_t clock) {
    struct timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void die(const char* what) {
    fprintf(stderr, "lean: %s: %s\n", what, strerror(errno));
    exit(1);
}

static void* grown(void* p, size_t size) {
    if ((p = realloc(p, size)) == NULL) {
        die("Speicher");
    }
    return p;
}

static void put(Buffer* b, const char* s, size_t n) {
    if (b->len + n > b->cap) {
        b->cap = (b->len + n) * 2;
        b->data = grown(b->data, b->cap);
    }
    memcpy(b->data + b->len, s, n);
    b->len += n;
}

static void putNumber(Buffer* b, unsigned long long v, char end) {
    char digits[24];
    char* p = digits + sizeof digits;
    *--p = end;
    do {
        *--p = (char)('0' + v % 10);
    } while ((v /= 10) != 0);
    put(b, p, (size_t)(digits + sizeof digits - p));
}

// Tab, line break and backslash are escaped, so that a name is one field whatever it holds.
static void putField(Buffer* b, const char* s, size_t n, char end) {
    size_t run = 0;
    for (size_t i = 0; i < n; ++i) {
        if (s[i] == '\t' || s[i] == '\n' || s[i] == '\\') {
            put(b, s + run, i - run);
            put(b, s[i] == '\t' ? "\\t" : s[i] == '\n' ? "\\n" : "\\\\", 2);
            run = i + 1;
        }
    }
    put(b, s + run, n - run);
    put(b, &end, 1);
}

static void drain(Buffer* b, int fd) {
    for (size_t done = 0; done < b->len;) {
        const ssize_t n = write(fd, b->data + done, b->len - done);
        if (n < 0 && errno != EINTR) {
            die("Protokoll");
        }
        done += n > 0 ? (size_t)n : 0;
    }
    b->len = 0;
}

// In the C locale, which this program never leaves, tolower and strncasecmp fold ASCII only.
static uint32_t foldHash(const char* s, size_t n) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < n; ++i) {
        h = (h ^ (unsigned char)tolower((unsigned char)s[i])) * 16777619u;
    }
    return h;
}

static int foldEqual(const char* a, size_t an, const char* b, size_t bn) {
    return an == bn && strncasecmp(a, b, an) == 0;
}

static void tableInit(Table* t, size_t n) {
    size_t size = 16;
    while (size < 2 * n) {
        size *= 2;
    }
    t->slot = calloc(size, sizeof *t->slot);
    t->mask = (uint32_t)size - 1;
}

static void tableAdd(Table* t, uint32_t hash, size_t index) {
    uint32_t i = hash & t->mask;
    while (t->slot[i] != 0) {
        i = (i + 1) & t->mask;
    }
    t->slot[i] = (uint32_t)index + 1;
}

// Names live as long as the run: they are kept in blocks that never move.
static const char* keep(const char* s, size_t n) {
    static char* block;
    static size_t left;
    if (n > left) {
        left = n > (1u << 20) ? n : (1u << 20);
        block = grown(NULL, left);
    }
    char* p = memcpy(block, s, n);
    block += n, left -= n;
    return p;
}

static const Entry* findExact(const Folder* f, const char* name, size_t len) {
    const uint32_t hash = foldHash(name, len);
    for (uint32_t i = hash & f->names.mask; f->names.slot[i] != 0; i = (i + 1) & f->names.mask) {
        const Entry* e = &f->entries[f->names.slot[i] - 1];
        if (e->hash == hash && e->len == len && memcmp(e->name, name, len) == 0) {
            return e;
        }
    }
    return NULL;
}

static void listFolder(Folder* f) {
    static char buffer[1 << 20];
    struct stat st;
    if ((f->fd = open(f->path, O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0 || fstat(f->fd, &st) != 0) {
        die(f->path);
    }
    f->dev = st.st_dev;
    f->nameMax = fpathconf(f->fd, _PC_NAME_MAX);
    size_t capacity = 0;
    ssize_t n;
    while ((n = getdents64(f->fd, buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < n;) {
            const struct dirent64* d = (const struct dirent64*)(buffer + at);
            at += d->d_reclen;
            if (strcmp(d->d_name, ".") == 0 || strcmp(d->d_name, "..") == 0) {
                continue;
            }
            if (f->count == capacity) {
                capacity = capacity ? capacity * 2 : 64;
                f->entries = grown(f->entries, capacity * sizeof *f->entries);
            }
            const size_t len = strlen(d->d_name);
            Entry* e = &f->entries[f->count++];
            *e = (Entry){keep(d->d_name, len + 1),
                         (uint32_t)len,
                         foldHash(d->d_name, len),
                         d->d_ino,
                         d->d_type,
                         0};
            if (e->type == DT_UNKNOWN && fstatat(f->fd, e->name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                e->type = IFTODT(st.st_mode);
            }
        }
    }
    if (n < 0) {
        die(f->path);
    }
    tableInit(&f->names, f->count);
    for (size_t i = 0; i < f->count; ++i) {
        tableAdd(&f->names, f->entries[i].hash, i);
    }
}

static int refuse(const Folder* f, const char* name, const char* why) {
    fprintf(stderr, "lean: %s/%s: %s\n", f->path, name, why);
    return 0;
}

// Sources are marked first, so that a new name may take the name of a file that leaves.
static int check(Folder* folders, size_t folderCount, Item* items, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        Item* it = &items[i];
        Entry* e = (Entry*)findExact(&folders[it->folder], it->old, it->oldLen);
        if (it->old[0] != 'x' || e == NULL || e->type != DT_REG) {
            return refuse(&folders[it->folder], it->old, "keine Datei „x…“ im Ordner");
        }
        e->leaving = 1;
        it->entry = e;
    }
    for (size_t i = 0; i < folderCount; ++i) {
        tableInit(&folders[i].fresh, folders[i].files);
    }
    for (size_t i = 0; i < count; ++i) {
        const Item* it = &items[i];
        Folder* f = &folders[it->folder];
        if (strspn(it->fresh, " \t\n\v\f\r") == it->freshLen || strchr(it->fresh, '/') ||
            it->fresh[0] == '.' || (f->nameMax > 0 && it->freshLen > f->nameMax)) {
            return refuse(f, it->fresh, "neuer Name ungültig");
        }
        const uint32_t hash = foldHash(it->fresh, it->freshLen);
        for (uint32_t s = hash & f->fresh.mask; f->fresh.slot[s]; s = (s + 1) & f->fresh.mask) {
            const Item* other = &items[f->fresh.slot[s] - 1];
            if (foldEqual(other->fresh, other->freshLen, it->fresh, it->freshLen)) {
                return refuse(f, it->fresh, "neuer Name doppelt");
            }
        }
        for (uint32_t s = hash & f->names.mask; f->names.slot[s]; s = (s + 1) & f->names.mask) {
            const Entry* e = &f->entries[f->names.slot[s] - 1];
            if (!e->leaving && e->hash == hash &&
                foldEqual(e->name, e->len, it->fresh, it->freshLen)) {
                return refuse(f, it->fresh, "gibt es schon");
            }
        }
        tableAdd(&f->fresh, hash, i);
    }
    return 1;
}

static void openJournal(Journal* j) {
    const char* state = getenv("XDG_STATE_HOME");
    int n = state && *state
                ? snprintf(j->path, sizeof j->path, "%s/lean", state)
                : snprintf(j->path, sizeof j->path, "%s/.local/state/lean", getenv("HOME"));
    for (char* p = j->path + 1;; ++p) {  // mkdir -p
        if (*p == '/' || *p == '\0') {
            const char c = *p;
            *p = '\0';
            if (mkdir(j->path, 0700) != 0 && errno != EEXIST) {
                die(j->path);
            }
            if ((*p = c) == '\0') {
                break;
            }
        }
    }
    if ((j->dirFd = open(j->path, O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0) {
        die(j->path);
    }
    snprintf(j->path + n, sizeof j->path - (size_t)n, "/%ld-%d.journal", (long)time(NULL),
             getpid());
    if ((j->fd = open(j->path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)) < 0) {
        die(j->path);
    }
}

// Looks its entries up itself, so that it can run beside the check.
static void* writePlan(void* arg) {
    Journal* j = arg;
    j->began = now(CLOCK_MONOTONIC);
    openJournal(j);
    Buffer b = {0};
    put(&b, "lean-Protokoll 1\n", 17);
    for (size_t i = 0; i < j->count; ++i) {
        const Item* it = &j->items[i];
        const Folder* f = &j->folders[it->folder];
        const Entry* e = findExact(f, it->old, it->oldLen);
        putField(&b, f->path, strlen(f->path), '\t');
        putField(&b, it->old, it->oldLen, '\t');
        putField(&b, it->fresh, it->freshLen, '\t');
        putNumber(&b, f->dev, '\t');
        putNumber(&b, e ? e->ino : 0, '\t');
        putNumber(&b, e ? e->type : DT_UNKNOWN, '\n');
        if (b.len > kFlushAt) {
            drain(&b, j->fd);
        }
    }
    drain(&b, j->fd);
    free(b.data);
    j->written = now(CLOCK_MONOTONIC);
    if (fsync(j->fd) != 0 || fsync(j->dirFd) != 0) {
        die(j->path);
    }
    j->synced = now(CLOCK_MONOTONIC);
    return NULL;
}

static void* renameShare(void* arg) {
    Share* s = arg;
    for (size_t i = s->from; i < s->to; ++i) {
        const Item* it = &s->journal->items[i];
        const Folder* f = &s->journal->folders[it->folder];
        struct statx seen;
        const int same = statx(f->fd, it->old, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME,
                               &seen) == 0 &&
                         makedev(seen.stx_dev_major, seen.stx_dev_minor) == f->dev &&
                         seen.stx_ino == it->entry->ino && IFTODT(seen.stx_mode) == it->entry->type;
        const int renamed =
            same && renameat2(f->fd, it->old, f->fd, it->fresh, RENAME_NOREPLACE) == 0;
        if (!renamed) {
            fprintf(stderr, "lean: %s/%s: %s\n", f->path, it->old,
                    same ? strerror(errno) : "nicht mehr die geplante Datei");
        }
        put(&s->records, renamed ? "done " : "failed ", renamed ? 5 : 7);
        putNumber(&s->records, i + 1, '\n');
        if (s->fd >= 0 && s->records.len > kFlushAt) {
            drain(&s->records, s->fd);
        }
        s->renamed += (size_t)renamed;
    }
    return NULL;
}

// Reads the list into items grouped by folder, in the list's order within each.
static size_t readList(const char* name, Folder** folders, size_t* folderCount, Item** items) {
    const int fd = open(name, O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        die(name);
    }
    char* list = grown(NULL, (size_t)st.st_size + 1);
    ssize_t got = 0;
    for (ssize_t n;
         got < st.st_size && (n = read(fd, list + got, (size_t)(st.st_size - got))) > 0;) {
        got += n;
    }
    list[got] = '\0';
    close(fd);
    size_t count = 0;
    for (ssize_t i = 0; i < got; ++i) {
        count += list[i] == '\0' || i == got - 1;
    }
    Table byPath;
    tableInit(&byPath, count);
    uint32_t* folderOf = grown(NULL, count * sizeof *folderOf);
    const char** names = grown(NULL, count * sizeof *names);
    *folders = calloc(count, sizeof **folders);
    *items = grown(NULL, count * sizeof **items);
    char* path = list;
    for (size_t i = 0, len; i < count; path += len + 1, ++i) {
        len = strlen(path);
        char* slash = strrchr(path, '/');
        names[i] = slash ? slash + 1 : path;
        const char* folder = slash == path ? "/" : slash ? (*slash = '\0', path) : ".";
        const uint32_t hash = foldHash(folder, strlen(folder));
        uint32_t s = hash & byPath.mask;
        while (byPath.slot[s] && strcmp((*folders)[byPath.slot[s] - 1].path, folder) != 0) {
            s = (s + 1) & byPath.mask;
        }
        if (byPath.slot[s] == 0) {
            (*folders)[*folderCount].path = folder;
            byPath.slot[s] = (uint32_t)(*folderCount += 1);
        }
        folderOf[i] = byPath.slot[s] - 1;
        (*folders)[folderOf[i]].files++;
    }
    size_t* next = calloc(*folderCount + 1, sizeof *next);
    for (size_t f = 0; f < *folderCount; ++f) {
        next[f + 1] = next[f] + (*folders)[f].files;
    }
    for (size_t i = 0; i < count; ++i) {
        const size_t len = strlen(names[i]);
        const size_t kept = len > 0 && names[i][0] == 'x';
        char fresh[4096];
        const int freshLen = snprintf(fresh, sizeof fresh, "neu%s", names[i] + kept);
        (*items)[next[folderOf[i]]++] = (Item){names[i],      keep(fresh, (size_t)freshLen + 1),
                                               (uint32_t)len, (uint32_t)freshLen,
                                               folderOf[i],   NULL};
    }
    free(next), free(names), free(folderOf), free(byPath.slot);
    return count;
}

static void phase(const char* name, double ms, int parallel) {
    fprintf(stderr, "%-22s %8.2f ms%s\n", name, ms, parallel ? " (parallel)" : "");
}

int main(int argc, char** argv) {
    const double begun = now(CLOCK_MONOTONIC);
    int twoThreads = 0, verbose = 0, option;
    while ((option = getopt(argc, argv, "jv")) != -1) {
        twoThreads |= option == 'j', verbose |= option == 'v';
        if (option == '?') {
            optind = argc;
        }
    }
    if (optind != argc - 1) {
        fprintf(stderr, "Aufruf: lean [-j] [-v] LISTE\n");
        return 2;
    }
    Journal j = {.fd = -1};
    size_t folderCount = 0;
    j.count = readList(argv[optind], &j.folders, &folderCount, &j.items);
    const double read = now(CLOCK_MONOTONIC);
    for (size_t f = 0; f < folderCount; ++f) {
        listFolder(&j.folders[f]);
    }
    const double listed = now(CLOCK_MONOTONIC);
    pthread_t helper;
    if (twoThreads && pthread_create(&helper, NULL, writePlan, &j) != 0) {
        die("Thread");
    }
    const int planned = check(j.folders, folderCount, j.items, j.count);
    const double checked = now(CLOCK_MONOTONIC);
    if (twoThreads) {
        pthread_join(helper, NULL);
    }
    if (!planned) {
        if (twoThreads) {
            unlink(j.path);
        }
        return 1;
    }
    if (!twoThreads) {
        writePlan(&j);
    }
    const double ready = now(CLOCK_MONOTONIC);
    // Two threads take whole folders, split by file count, or else halves of the one folder.
    size_t half = j.count / 2;
    if (twoThreads && folderCount > 1) {
        size_t at = 0;
        for (size_t f = 0; f < folderCount && at + j.folders[f].files / 2 < j.count / 2; ++f) {
            at += j.folders[f].files;
        }
        half = at;
    }
    // With two threads the records wait in memory, to reach the journal in plan order.
    Share shares[2] = {{&j, twoThreads ? -1 : j.fd, 0, twoThreads ? half : j.count, 0, {0}},
                       {&j, -1, twoThreads ? half : j.count, j.count, 0, {0}}};
    if (twoThreads && pthread_create(&helper, NULL, renameShare, &shares[1]) != 0) {
        die("Thread");
    }
    renameShare(&shares[0]);
    if (twoThreads) {
        pthread_join(helper, NULL);
    }
    const double renamed = now(CLOCK_MONOTONIC);
    drain(&shares[0].records, j.fd);
    drain(&shares[1].records, j.fd);
    if (write(j.fd, "end\n", 4) != 4 || fsync(j.fd) != 0) {
        die(j.path);
    }
    const double ended = now(CLOCK_MONOTONIC);
    if (verbose) {
        phase("Start", 0, 0);  // the kernel's start time counts in ticks of 10 ms, too coarse
        phase("Pfade gelesen", read - begun, 0);
        phase("Ordner gelesen", listed - read, 0);
        phase("Plan geprüft", checked - listed, twoThreads);
        phase("Protokoll geschrieben", j.written - j.began, twoThreads);
        phase("Protokoll gesichert", j.synced - j.written, twoThreads);
        phase("umbenannt", renamed - ready, 0);
        phase("Ende", ended - renamed, 0);
    }
    return shares[0].renamed + shares[1].renamed == j.count ? 0 : 1;
}
