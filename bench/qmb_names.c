/* Realistic names for a folder of a Japanese user's files: photos, office
 * documents, downloads. Kanji whose code page 932 trail byte is 0x5C (the
 * byte of "\") are over-represented on purpose: they break naive parsers. */
#define _GNU_SOURCE
#include "qmb.h"

#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

static const char* const kanji[] = {
    "写真", "旅行", "会議", "資料", "議事録", "見積書", "請求書", "報告書", "家族", "運動会",
    "卒業式", "東京", "大阪", "京都", "北海道", "新規", "最終版", "修正", "社外秘", "原稿",
    "年賀状", "契約書", "名簿", "案内", "提案", "日程", "決算", "領収書", "誕生日", "花火",
    /* trail byte 0x5C */
    "表", "一覧表", "予定表", "予算", "能楽", "十月", "申請書", "構成", "暴風", "貼付",
    "噂", "圭", "蚕", "箪笥", "禄", "曾祖父", "機能", "予約", "十五夜", "表彰",
};
static const char* const hiragana[] = {
    "ひまわり", "おまつり", "さくら", "おしらせ", "まとめ", "たのしい", "ごあんない", "ぶんしょ",
    "あたらしい", "ふるい", "ちず", "えにっき",
};
static const char* const katakana[] = {
    "ソフト", "ソース", "データ", "レポート", "メモ", "ファイル", "コピー", "バックアップ",
    "プレゼン", "スケジュール", "ソファ", "アルバム", "カタログ", "ポスター", "メニュー", "ソロ",
};
static const char* const halfwidth[] = {
    "ﾃﾞｼﾞｶﾒ", "ｶﾀﾛｸﾞ", "ｿﾌﾄ", "ﾒﾓ", "ｱﾙﾊﾞﾑ", "ｽｷｬﾝ", "ﾃﾞｰﾀ", "ｺﾋﾟｰ",
};
static const char* const jp_separators[] = {"", "", "_", "_", " ", "　", "・", "-", "  "};
static const char* const jp_brackets[][2] = {
    {"（", "）"}, {"【", "】"}, {"「", "」"}, {"[", "]"}, {"(", ")"}, {"＃", ""}, {"#", ""},
};
static const char* const jp_extensions[] = {
    ".jpg", ".JPG", ".png", ".docx", ".xlsx", ".pdf", ".txt", ".mp3", ".mp4", ".csv", ".pptx", ".zip",
};

static const char* const words[] = {
    "draft", "final", "Summer", "trip", "Q3", "invoice", "Backup", "photo", "scan", "README",
    "Meeting", "notes", "Budget", "minutes", "Family", "Holiday", "report", "Scan", "old", "New",
};
static const char* const latin_templates[] = {
    "IMG_%04u.JPG", "DSC%05u.jpg", "%s %s (%u).pdf", "R&D %s %u.xlsx", "100%% %s %u.txt",
    "[%s] Episode %02u [1080p].mkv", "track #%u - %s.mp3", "%s (%s) %u.txt", "%s  %s %u.docx",
    "%s&%s_%u.csv", "50%% off #%u %s.html", "%s %s v%u.zip", "%s-%s-%u.png", "(%s) %s [%u].mp4",
};
static const char* const programs[] = {"setup%u.exe", "helper %u.dll", "tool_%u.exe", "lib%s%u.dll"};

/* splitmix64: the same names on every machine */
static uint64_t next_random(uint64_t* state)
{
    uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

static unsigned below(uint64_t* state, unsigned n)
{
    return (unsigned)(next_random(state) % n);
}

struct text {
    char bytes[256];
    size_t size;
    int cut;   /* something did not fit */
};

static void add(struct text* t, const char* s)
{
    const size_t n = strlen(s);
    if (n >= sizeof t->bytes - t->size) {
        t->cut = 1;
        return;
    }
    memcpy(t->bytes + t->size, s, n + 1);
    t->size += n;
}

/* A number in ASCII or in full-width digits (U+FF10..U+FF19). */
static void add_number(struct text* t, unsigned value, int wide)
{
    char digits[16];
    snprintf(digits, sizeof digits, "%u", value);
    for (const char* d = digits; *d; ++d) {
        if (wide) {
            const char fullwidth[4] = {(char)0xEF, (char)0xBC, (char)(0x90 + (*d - '0')), 0};
            add(t, fullwidth);
        } else {
            const char ascii[2] = {*d, 0};
            add(t, ascii);
        }
    }
}

static const char* japanese_word(uint64_t* rng)
{
    const unsigned kind = below(rng, 10);
    if (kind < 5)
        return kanji[below(rng, COUNT_OF(kanji))];
    if (kind < 7)
        return katakana[below(rng, COUNT_OF(katakana))];
    if (kind < 9)
        return hiragana[below(rng, COUNT_OF(hiragana))];
    return halfwidth[below(rng, COUNT_OF(halfwidth))];
}

static void japanese_name(struct text* t, uint64_t* rng)
{
    const unsigned parts = 1 + below(rng, 3);
    for (unsigned i = 0; i < parts; ++i) {
        if (i > 0)
            add(t, jp_separators[below(rng, COUNT_OF(jp_separators))]);
        add(t, japanese_word(rng));
    }
    if (below(rng, 3) == 0) {
        const char* const* bracket = jp_brackets[below(rng, COUNT_OF(jp_brackets))];
        add(t, bracket[0]);
        if (bracket[1][0]) {
            add(t, japanese_word(rng));
            add(t, bracket[1]);
        } else {
            add_number(t, below(rng, 100), below(rng, 2));
        }
    }
    if (below(rng, 4) != 0) {
        add(t, below(rng, 2) ? "_" : "");
        add_number(t, below(rng, 10000), below(rng, 2));
    }
    add(t, jp_extensions[below(rng, COUNT_OF(jp_extensions))]);
}

static void latin_name(struct text* t, uint64_t* rng)
{
    const char* format = latin_templates[below(rng, COUNT_OF(latin_templates))];
    const char* w[2] = {words[below(rng, COUNT_OF(words))], words[below(rng, COUNT_OF(words))]};
    const unsigned number = below(rng, 100000);
    char buffer[200];
    /* Fill the %s in order, then the %u. */
    size_t used = 0;
    unsigned next_word = 0;
    for (const char* f = format; *f && used + 40 < sizeof buffer; ++f) {
        if (f[0] == '%' && f[1] == 's') {
            used += (size_t)snprintf(buffer + used, sizeof buffer - used, "%s", w[next_word++ & 1]);
            ++f;
        } else if (f[0] == '%' && f[1] == '%') {
            buffer[used++] = '%';
            ++f;
        } else if (f[0] == '%') {
            char conversion[8] = {0};
            size_t n = 0;
            while (f[n] && f[n] != 'u' && n < 6) {
                conversion[n] = f[n];
                ++n;
            }
            conversion[n] = 'u';
            used += (size_t)snprintf(buffer + used, sizeof buffer - used, conversion, number);
            f += n;
        } else {
            buffer[used++] = *f;
        }
    }
    buffer[used] = '\0';
    add(t, buffer);
}

static void program_name(struct text* t, uint64_t* rng)
{
    char buffer[64];
    const char* format = programs[below(rng, COUNT_OF(programs))];
    if (strstr(format, "%s"))
        snprintf(buffer, sizeof buffer, format, words[below(rng, COUNT_OF(words))], below(rng, 1000));
    else
        snprintf(buffer, sizeof buffer, format, below(rng, 1000));
    add(t, buffer);
}

static int usable(const struct text* t)
{
    const char* s = t->bytes;
    if (t->cut || t->size == 0 || s[0] == '.' || s[0] == ' ' || s[t->size - 1] == ' ' || strstr(s, "    "))
        return 0;
    /* The benchmarks add the prefix "new_"; no name may start with it already. */
    return strncasecmp(s, "new_", 4) != 0;
}

/* Open addressing over FNV-1a, for telling a name already drawn. */
static uint64_t hash(const char* s)
{
    uint64_t h = 0xCBF29CE484222325ull;
    for (; *s; ++s)
        h = (h ^ (unsigned char)*s) * 0x100000001B3ull;
    return h;
}

char** qmb_mixed_names(size_t count)
{
    size_t slots = 1024;
    while (slots < 2 * count)
        slots *= 2;
    char** names = calloc(count ? count : 1, sizeof *names);
    const char** seen = calloc(slots, sizeof *seen);
    if (!names || !seen) {
        free(names);
        free(seen);
        return NULL;
    }
    uint64_t rng = 20240611;
    size_t made = 0;
    while (made < count) {
        struct text t = {{0}, 0, 0};
        const unsigned kind = below(&rng, 100);
        if (kind == 0)
            program_name(&t, &rng);
        else if (kind <= 50)
            japanese_name(&t, &rng);
        else
            latin_name(&t, &rng);
        if (!usable(&t))
            continue;
        size_t slot = hash(t.bytes) & (slots - 1);
        while (seen[slot] && strcmp(seen[slot], t.bytes) != 0)
            slot = (slot + 1) & (slots - 1);
        if (seen[slot])
            continue;
        names[made] = strdup(t.bytes);
        if (!names[made]) {
            qmb_free_names(names, made);
            free(seen);
            return NULL;
        }
        seen[slot] = names[made++];
    }
    free(seen);
    return names;
}

void qmb_free_names(char** names, size_t count)
{
    if (!names)
        return;
    for (size_t i = 0; i < count; ++i)
        free(names[i]);
    free(names);
}

int qmb_make_folder(const char* dir, size_t count)
{
    char** names = qmb_mixed_names(count);
    if (!names || mkdir(dir, 0777) != 0) {
        qmb_free_names(names, count);
        return -1;
    }
    const int dir_fd = open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int status = dir_fd < 0 ? -1 : 0;
    for (size_t i = 0; i < count && status == 0; ++i) {
        const int fd = openat(dir_fd, names[i], O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 || close(fd) != 0)
            status = -1;
    }
    if (dir_fd >= 0)
        close(dir_fd);
    qmb_free_names(names, count);
    return status;
}
