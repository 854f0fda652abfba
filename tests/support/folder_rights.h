#pragma once
// Why a folder without write rights would not refuse this process, or nullptr when it does:
// the administrator writes anywhere, and Windows folders have no write bit (their rights are
// access lists).

#ifdef _WIN32
inline const char* WhyFolderRightsDoNotBind() {
    return "Windows folders have no write bit to take away";
}
#else
#include <unistd.h>

inline const char* WhyFolderRightsDoNotBind() {
    return geteuid() == 0 ? "the administrator may write to any folder" : nullptr;
}
#endif
