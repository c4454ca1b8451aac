/* The plain loops of the restore: one that checks every line's shape
 * before the first rename, and a plainer one that only splits the lines. */
#define _GNU_SOURCE
#include "qmb.h"
#include "qmb_buffer.h"

#include <errno.h>
#include <fcntl.h>
#include <iconv.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static int bare(const char* name)
{
    return name[0] && strcmp(name, ".") != 0 && strcmp(name, "..") != 0 && !strchr(name, '/');
}

/* Reads script and decodes it whole into text (NUL after it). No trail
 * byte of the code page is CR or LF, so the lines split alike before and
 * after decoding. */
static int read_decoded(const char* script, struct buffer* text, struct qmb_result* result)
{
    memset(result, 0, sizeof *result);
    struct buffer raw = {0};
    int status = -1;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    const int fd = open(script, O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (cd == (iconv_t)-1 || fd < 0 || fstat(fd, &st) != 0 || buffer_reserve(&raw, (size_t)st.st_size + 1) != 0)
        goto out;
    for (;;) {
        if (raw.size == raw.capacity && buffer_reserve(&raw, raw.capacity) != 0)
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
    if (buffer_convert(cd, raw.bytes, raw.size, text) == 0 && buffer_reserve(text, 1) == 0) {
        text->bytes[text->size] = '\0';
        status = 0;
    }
out:
    if (fd >= 0)
        close(fd);
    if (cd != (iconv_t)-1)
        iconv_close(cd);
    free(raw.bytes);
    return status;
}

/* Room for the (new, old) pairs of every line of text. */
static char** pairs_for(const struct buffer* text)
{
    size_t lines = 0;
    for (size_t i = 0; i < text->size; ++i)
        lines += text->bytes[i] == '\n';
    return malloc((2 * lines + 2) * sizeof(char*));
}

/* From the last pair to the first. */
static void rename_back(char** pairs, size_t n, struct qmb_result* result)
{
    while (n > 0) {
        n -= 2;
        if (renameat2(AT_FDCWD, pairs[n], AT_FDCWD, pairs[n + 1], RENAME_NOREPLACE) == 0)
            ++result->renamed;
        else
            ++result->failed;
    }
}

/* checked: every line must be "ren    NEW    OLD" CR LF of bare names, or
 * nothing is renamed; otherwise each line is only split at its first four
 * blanks after the new name's first byte. */
static int restore(const char* script, struct qmb_result* result, int checked)
{
    struct buffer text = {0};
    char** pairs = NULL;
    int status = -1;
    if (read_decoded(script, &text, result) != 0 || !(pairs = pairs_for(&text)))
        goto out;
    size_t n = 0;
    for (char* at = text.bytes; *at;) {
        char* end = strchr(at, '\n');
        if (checked && (!end || end == at || end[-1] != '\r' || strncmp(at, "ren    ", 7) != 0))
            goto out;
        char* split = end ? strstr(at + 8, "    ") : NULL;
        if (!split)
            goto out;
        end[-1] = *split = '\0';
        char* new_name = at + 7;
        char* old = split + 4;
        if (checked && (!bare(new_name) || !bare(old)))
            goto out;
        pairs[n++] = new_name;
        pairs[n++] = old;
        at = end + 1;
    }
    rename_back(pairs, n, result);
    status = 0;
out:
    free(pairs);
    free(text.bytes);
    return status;
}

int qmb_restore(const char* script, struct qmb_result* result)
{
    return restore(script, result, 1);
}

int qmb_restore_plain(const char* script, struct qmb_result* result)
{
    return restore(script, result, 0);
}
