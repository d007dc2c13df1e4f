#include "ProcessEnd.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define KAVRO_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAVRO_LEAK_CHECK 1
#endif
#endif

#ifdef KAVRO_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

void endProcess(int exitCode)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#ifdef KAVRO_LEAK_CHECK
    __lsan_do_leak_check();
#endif
    std::fflush(nullptr);
    std::quick_exit(exitCode);
#else
    std::exit(exitCode);
#endif
}
