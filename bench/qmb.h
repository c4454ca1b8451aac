/* The plain C side of the rename benchmarks: a generator of realistic file
 * names, and the plainest loops that do the durable work of a prefix run and
 * of its restore. No Qt and nothing of the project, so they are a baseline. */
#ifndef QMB_H
#define QMB_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Undo lines written and synced before their renames, per group. */
#define QMB_GROUP_LINES 1024
/* The run takes at most this many names, like the program's name table. */
#define QMB_WORK_LIST 20001

/* count distinct UTF-8 file names, the same for the same count: about half
 * Japanese, the rest Latin with blanks and punctuation, about one in a
 * hundred ending in .exe or .dll. Every one is representable in code page
 * 932 and none holds four blanks in a row or starts or ends with one. Free
 * with qmb_free_names. NULL when out of memory. */
char** qmb_mixed_names(size_t count);
void qmb_free_names(char** names, size_t count);

/* Creates the folder dir (it must not exist) holding count files of
 * qmb_mixed_names, empty (a rename never touches the data). 0 on success. */
int qmb_make_folder(const char* dir, size_t count);

struct qmb_result {
    long renamed;     /* renames that succeeded */
    long failed;      /* renames that were tried and failed */
    long skipped;     /* names left alone: excluded, or not code page 932 */
    long long bytes;  /* bytes of the undo script */
};

/* The prefix run in the working directory: list it, sort the names, then for
 * each group of up to QMB_GROUP_LINES undo lines "ren    NEW    OLD" (code
 * page 932, CR LF) write them to modosu.bat, fdatasync it, and rename the
 * group's files without replacing. 0 on success, -1 when the script cannot
 * be made or written. */
int qmb_run_prefix(const char* prefix, struct qmb_result* result);

/* What qmb_run_prefix would do, without writing or renaming: the script's
 * size, the old name of its first line and the new name of its last (UTF-8,
 * to free; NULL when there is no line). */
int qmb_plan_prefix(const char* prefix, struct qmb_result* result, char** first_old, char** last_new);

/* Reads script, checks that every line is "ren    NEW    OLD" of bare names,
 * then renames NEW back to OLD from the last line to the first, without
 * replacing. -1 (nothing renamed) when the script cannot be read or a line
 * is of another shape. */
int qmb_restore(const char* script, struct qmb_result* result);

/* The same without a look at any line's shape: splits each line at its
 * first four blanks after "ren    " and renames back, last line first.
 * -1 only when the script cannot be read or decoded. */
int qmb_restore_plain(const char* script, struct qmb_result* result);

#ifdef __cplusplus
}
#endif

#endif
