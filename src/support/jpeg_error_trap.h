#pragma once

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>

namespace velmora {

// Turns libjpeg's fatal errors into a longjmp back to the caller (the library would
// otherwise exit the process) and keeps its messages off stderr. Install it before
// jpeg_create_*, then `if (setjmp(trap.jump)) { ...clean up... }` in the same frame; only
// plain C state may live between that setjmp and the library calls.
struct JpegErrorTrap {
    jpeg_error_mgr manager{};  // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump{};
    bool premature_end = false;

    jpeg_error_mgr* Install();
};

}  // namespace velmora
