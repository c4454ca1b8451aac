#include "qmb_buffer.h"

#include <stdlib.h>

int buffer_reserve(struct buffer* b, size_t more)
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

int buffer_convert(iconv_t cd, const char* in, size_t size, struct buffer* out)
{
    /* Code page 932 never takes more bytes than UTF-8, and the reverse at
     * most twice as many (a half-width kana: 1 byte against 3). */
    if (buffer_reserve(out, 2 * size + 1) != 0)
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
