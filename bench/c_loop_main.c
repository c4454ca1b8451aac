/* The C loops as a program, for the scripts that measure from outside:
 *   qm_c_loop make DIR COUNT       a new folder of COUNT mixed names
 *   qm_c_loop run PREFIX           the prefix run in the working directory
 *   qm_c_loop restore [SCRIPT]     its restore (modosu.bat by default)
 *   qm_c_loop restore-plain [SCRIPT]  the same without a look at the lines
 *   qm_c_loop plan PREFIX          the run's script size, first old name and
 *                                  last new name, one a line
 *   qm_c_loop wait FILE SIZE NAME  waits until FILE holds SIZE bytes (FILE
 *                                  "-": no wait), then until NAME exists;
 *                                  prints the time it saw it, in
 *                                  microseconds since the epoch */
#define _GNU_SOURCE
#include "qmb.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

static int usage(void)
{
    fputs("usage: qm_c_loop make DIR COUNT | run PREFIX | restore[-plain] [SCRIPT] | plan PREFIX | wait FILE SIZE NAME\n",
          stderr);
    return 2;
}

static long long now_us(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

/* One stat a millisecond: cheap enough not to slow what is watched. */
static int wait_for(const char* file, long long size, const char* name)
{
    const long long deadline = now_us() + 120 * 1000000LL;
    const struct timespec pause = {0, 1000000};
    struct stat st;
    while (strcmp(file, "-") != 0 && (stat(file, &st) != 0 || st.st_size != size)) {
        if (now_us() > deadline)
            return 1;
        nanosleep(&pause, NULL);
    }
    while (lstat(name, &st) != 0) {
        if (now_us() > deadline)
            return 1;
        nanosleep(&pause, NULL);
    }
    printf("%lld\n", now_us());
    return 0;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const char* command = argv[1];
    struct qmb_result result;
    if (!strcmp(command, "make") && argc == 4)
        return qmb_make_folder(argv[2], strtoul(argv[3], NULL, 10)) == 0 ? 0 : 1;
    if (!strcmp(command, "run") && argc == 3)
        return qmb_run_prefix(argv[2], &result) == 0 && result.failed == 0 ? 0 : 1;
    if (!strcmp(command, "restore") && argc <= 3)
        return qmb_restore(argc == 3 ? argv[2] : "modosu.bat", &result) == 0 && result.failed == 0 ? 0 : 1;
    if (!strcmp(command, "restore-plain") && argc <= 3)
        return qmb_restore_plain(argc == 3 ? argv[2] : "modosu.bat", &result) == 0 && result.failed == 0 ? 0 : 1;
    if (!strcmp(command, "plan") && argc == 3) {
        char *first_old, *last_new;
        if (qmb_plan_prefix(argv[2], &result, &first_old, &last_new) != 0 || !first_old)
            return 1;
        printf("%lld\n%s\n%s\n", result.bytes, first_old, last_new);
        free(first_old);
        free(last_new);
        return 0;
    }
    if (!strcmp(command, "wait") && argc == 5)
        return wait_for(argv[2], strtoll(argv[3], NULL, 10), argv[4]);
    return usage();
}
