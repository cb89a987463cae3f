/* MemoryShim: a Linux preload library that makes Wine see a chosen amount of physical memory,
 * so scenarios can pose a PC with less memory than the machine that runs them. Wine takes the
 * total from sysinfo() and reports one page less as GlobalMemoryStatus's dwTotalPhys, so
 * E2E_TOTAL_PHYS (bytes, a multiple of 4096) is handed to Wine with that page added back. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <sys/sysinfo.h>

int sysinfo(struct sysinfo* info) {
    static int (*real)(struct sysinfo*);
    if (!real)
        real = (int (*)(struct sysinfo*))dlsym(RTLD_NEXT, "sysinfo");
    int result = real(info);
    const char* wanted = getenv("E2E_TOTAL_PHYS");
    if (result == 0 && wanted && *wanted) {
        unsigned long long total = strtoull(wanted, NULL, 10) + 4096;
        info->totalram = total / info->mem_unit;
        if (info->freeram > info->totalram)
            info->freeram = info->totalram / 2;
    }
    return result;
}
