#include "SystemVersion.h"

#include <cstdio>
#include <sys/utsname.h>

bool getSystemVersion(int *major, int *minor, int *bugFix)
{
    int parts[3] = {0, 0, 0};
    utsname name{};
    const bool ok =
        uname(&name) == 0 && std::sscanf(name.release, "%d.%d.%d", &parts[0], &parts[1], &parts[2]) >= 1;
    if (major)
        *major = parts[0];
    if (minor)
        *minor = parts[1];
    if (bugFix)
        *bugFix = parts[2];
    return ok;
}
