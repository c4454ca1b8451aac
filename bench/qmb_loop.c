/* The plainest loops that do the durable work of a prefix run and of its
 * restore: what the program's figures are held against. */
#define _GNU_SOURCE
#include "qmb.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <iconv.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static const char script_name[] = "modosu.bat";

struct names {
    char** at;
    size_t size, capacity;
};

static int push(struct names* list, const char* name)
{
    if (list->size == list->capacity) {
        const size_t capacity = list->capacity ? 2 * list->capacity : 4096;
        char** grown = realloc(list->at, capacity * sizeof *grown);
        if (!grown)
            return -1;
        list->at = grown;
        list->capacity = capacity;
    }
    list->at[list->size] = strdup(name);
    return list->at[list->size++] ? 0 : -1;
}

static void release(struct names* list)
{
    for (size_t i = 0; i < list->size; ++i)
        free(list->at[i]);
    free(list->at);
}

static int ascii_lower(int c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

/* The program's list order for these names: UTF-8 bytes compare as code
 * points, letter case ignored, ties broken by case. */
static int name_order(const void* a, const void* b)
{
    const unsigned char* x = *(const unsigned char* const*)a;
    const unsigned char* y = *(const unsigned char* const*)b;
    for (size_t i = 0;; ++i) {
        const int d = ascii_lower(x[i]) - ascii_lower(y[i]);
        if (d != 0 || x[i] == 0)
            return d != 0 ? d : strcmp((const char*)x, (const char*)y);
    }
}

/* Regular files and links to them, hidden names left out, in list order. */
static int list_folder(struct names* list)
{
    DIR* dir = opendir(".");
    if (!dir)
        return -1;
    struct dirent* entry;
    while ((entry = readdir(dir))) {
        if (entry->d_name[0] == '.')
            continue;
        if (entry->d_type != DT_REG) {
            struct stat st;
            if ((entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
                || fstatat(dirfd(dir), entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
                continue;
        }
        if (push(list, entry->d_name) != 0) {
            closedir(dir);
            return -1;
        }
    }
    closedir(dir);
    qsort(list->at, list->size, sizeof *list->at, name_order);
    return 0;
}

static int excluded(const char* name)
{
    const size_t n = strlen(name);
    if (n < 4)
        return 0;
    const char* end = name + n - 4;
    return !strcmp(end, ".exe") || !strcmp(end, ".bat") || !strcmp(end, ".com") || !strcmp(end, ".dll");
}

static int write_all(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        data += n;
        size -= (size_t)n;
    }
    return 0;
}

struct buffer {
    char* bytes;
    size_t size, capacity;
};

static int reserve(struct buffer* b, size_t more)
{
    if (b->size + more <= b->capacity)
        return 0;
    size_t capacity = b->capacity ? b->capacity : 65536;
    while (capacity < b->size + more)
        capacity *= 2;
    char* grown = realloc(b->bytes, capacity);
    if (!grown)
        return -1;
    b->bytes = grown;
    b->capacity = capacity;
    return 0;
}

/* Converts the whole input, or nothing (the buffer as it was). */
static int convert(iconv_t cd, const char* in, size_t size, struct buffer* out)
{
    /* Code page 932 never takes more bytes than UTF-8, and the reverse at
     * most twice as many (a half-width kana: 1 byte against 3). */
    if (reserve(out, 2 * size + 1) != 0)
        return -1;
    char* from = (char*)in;
    char* to = out->bytes + out->size;
    size_t left = size, room = out->capacity - out->size;
    if (iconv(cd, &from, &left, &to, &room) == (size_t)-1 || left != 0) {
        iconv(cd, NULL, NULL, NULL, NULL);
        return -1;
    }
    out->size = (size_t)(to - out->bytes);
    return 0;
}

/* A group: its undo lines, then its renames. */
struct group {
    struct buffer lines;                  /* encoded, CR LF after each */
    struct buffer new_names;              /* UTF-8, NUL after each */
    const char* old[QMB_GROUP_LINES];
    size_t new_at[QMB_GROUP_LINES];       /* offsets into new_names */
    size_t size;
};

/* Writes and syncs the group's lines, then renames its files (script -1:
 * neither, for a dry run). */
static int commit(int script, struct group* g, struct qmb_result* result)
{
    if (script >= 0) {
        if (g->lines.size > 0 && (write_all(script, g->lines.bytes, g->lines.size) != 0 || fdatasync(script) != 0))
            return -1;
        for (size_t i = 0; i < g->size; ++i) {
            if (renameat2(AT_FDCWD, g->old[i], AT_FDCWD, g->new_names.bytes + g->new_at[i], RENAME_NOREPLACE) == 0)
                ++result->renamed;
            else
                ++result->failed;
        }
    }
    g->lines.size = g->new_names.size = g->size = 0;
    return 0;
}

/* The run; with dry set it only counts, and fills first_old and last_new. */
static int run(const char* prefix, int dry, struct qmb_result* result, char** first_old, char** last_new)
{
    memset(result, 0, sizeof *result);
    struct names list = {0};
    struct group* g = calloc(1, sizeof *g);
    struct buffer line = {0};
    int script = -1, status = -1;
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (!g || cd == (iconv_t)-1 || list_folder(&list) != 0)
        goto out;
    if (!dry) {
        script = open(script_name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        const int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int synced = folder >= 0 && fsync(folder) == 0;
        if (folder >= 0)
            close(folder);
        if (script < 0 || !synced)
            goto out;
    }
    const size_t prefix_size = strlen(prefix);
    const size_t count = list.size < QMB_WORK_LIST ? list.size : QMB_WORK_LIST;
    for (size_t i = 0; i < count; ++i) {
        const char* old = list.at[i];
        if (excluded(old)) {
            ++result->skipped;
            continue;
        }
        const size_t old_size = strlen(old), new_size = prefix_size + old_size;
        line.size = 0;
        if (reserve(&line, 11 + new_size + old_size) != 0)
            goto out;
        char* at = line.bytes;
        at = mempcpy(at, "ren    ", 7);
        at = mempcpy(at, prefix, prefix_size);
        at = mempcpy(at, old, old_size);
        at = mempcpy(at, "    ", 4);
        at = mempcpy(at, old, old_size);
        line.size = (size_t)(at - line.bytes);
        const size_t before = g->lines.size;
        if (convert(cd, line.bytes, line.size, &g->lines) != 0) {
            ++result->skipped;
            continue;
        }
        if (reserve(&g->lines, 2) != 0 || reserve(&g->new_names, new_size + 1) != 0)
            goto out;
        memcpy(g->lines.bytes + g->lines.size, "\r\n", 2);
        g->lines.size += 2;
        result->bytes += (long long)(g->lines.size - before);
        char* new_name = g->new_names.bytes + g->new_names.size;
        memcpy(new_name, line.bytes + 7, new_size);
        new_name[new_size] = '\0';
        g->old[g->size] = old;
        g->new_at[g->size++] = g->new_names.size;
        g->new_names.size += new_size + 1;
        if (dry) {
            if (!*first_old)
                *first_old = strdup(old);
            free(*last_new);
            *last_new = strdup(new_name);
        }
        if (g->size == QMB_GROUP_LINES && commit(script, g, result) != 0)
            goto out;
    }
    status = commit(script, g, result);
out:
    if (script >= 0 && close(script) != 0)
        status = -1;
    if (cd != (iconv_t)-1)
        iconv_close(cd);
    if (g) {
        free(g->lines.bytes);
        free(g->new_names.bytes);
        free(g);
    }
    free(line.bytes);
    release(&list);
    return status;
}

int qmb_run_prefix(const char* prefix, struct qmb_result* result)
{
    return run(prefix, 0, result, NULL, NULL);
}

int qmb_plan_prefix(const char* prefix, struct qmb_result* result, char** first_old, char** last_new)
{
    *first_old = *last_new = NULL;
    return run(prefix, 1, result, first_old, last_new);
}

static int bare(const char* name)
{
    return name[0] && strcmp(name, ".") != 0 && strcmp(name, "..") != 0 && !strchr(name, '/');
}

int qmb_restore(const char* script, struct qmb_result* result)
{
    memset(result, 0, sizeof *result);
    struct buffer raw = {0}, text = {0};
    char** pairs = NULL;
    int status = -1;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    const int fd = open(script, O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (cd == (iconv_t)-1 || fd < 0 || fstat(fd, &st) != 0 || reserve(&raw, (size_t)st.st_size + 1) != 0)
        goto out;
    for (;;) {
        if (raw.size == raw.capacity && reserve(&raw, raw.capacity) != 0)
            goto out;
        const ssize_t n = read(fd, raw.bytes + raw.size, raw.capacity - raw.size);
        if (n < 0 && errno != EINTR)
            goto out;
        if (n == 0)
            break;
        if (n > 0)
            raw.size += (size_t)n;
    }
    result->bytes = (long long)raw.size;
    /* No trail byte of the code page is CR or LF, so the lines split alike
     * before and after decoding: decode the whole file at once. */
    if (convert(cd, raw.bytes, raw.size, &text) != 0 || reserve(&text, 1) != 0)
        goto out;
    text.bytes[text.size] = '\0';

    size_t lines = 0;
    for (size_t i = 0; i < text.size; ++i)
        lines += text.bytes[i] == '\n';
    pairs = malloc((2 * lines + 2) * sizeof *pairs);
    if (!pairs)
        goto out;
    size_t n = 0;
    for (char* at = text.bytes; *at;) {
        char* end = strchr(at, '\n');
        if (!end || end == at || end[-1] != '\r' || strncmp(at, "ren    ", 7) != 0)
            goto out;
        end[-1] = '\0';
        char* new_name = at + 7;
        char* split = strstr(new_name + 1, "    ");
        if (!split)
            goto out;
        *split = '\0';
        char* old = split + 4;
        if (!bare(new_name) || !bare(old))
            goto out;
        pairs[n++] = new_name;
        pairs[n++] = old;
        at = end + 1;
    }
    while (n > 0) {
        n -= 2;
        if (renameat2(AT_FDCWD, pairs[n], AT_FDCWD, pairs[n + 1], RENAME_NOREPLACE) == 0)
            ++result->renamed;
        else
            ++result->failed;
    }
    status = 0;
out:
    if (fd >= 0)
        close(fd);
    if (cd != (iconv_t)-1)
        iconv_close(cd);
    free(pairs);
    free(raw.bytes);
    free(text.bytes);
    return status;
}
