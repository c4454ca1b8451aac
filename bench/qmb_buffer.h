/* A growing byte buffer and code page conversion into it, shared by the
 * C loops. */
#ifndef QMB_BUFFER_H
#define QMB_BUFFER_H

#include <iconv.h>
#include <stddef.h>

struct buffer {
    char* bytes;
    size_t size, capacity;
};

/* Room for more bytes after size. 0 on success. */
int buffer_reserve(struct buffer* b, size_t more);
/* Converts the whole input onto the end of out, or nothing (the buffer as
 * it was). 0 on success. */
int buffer_convert(iconv_t cd, const char* in, size_t size, struct buffer* out);

#endif
