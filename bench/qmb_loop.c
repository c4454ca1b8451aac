/* The plainest loop that does the durable work of a prefix run: what the
 * program's figures are held against. */
#define _GNU_SOURCE
#include "qmb.h"
#include "qmb_buffer.h"

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
        if (buffer_reserve(&line, 11 + new_size + old_size) != 0)
            goto out;
        char* at = line.bytes;
        at = mempcpy(at, "ren    ", 7);
        at = mempcpy(at, prefix, prefix_size);
        at = mempcpy(at, old, old_size);
        at = mempcpy(at, "    ", 4);
        at = mempcpy(at, old, old_size);
        line.size = (size_t)(at - line.bytes);
        const size_t before = g->lines.size;
        if (buffer_convert(cd, line.bytes, line.size, &g->lines) != 0) {
            ++result->skipped;
            continue;
        }
        if (buffer_reserve(&g->lines, 2) != 0 || buffer_reserve(&g->new_names, new_size + 1) != 0)
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
