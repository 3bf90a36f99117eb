#include "support/jpeg_error_trap.h"

// clang-format off
#include <jerror.h>
// clang-format on

namespace velmora {
namespace {

[[noreturn]] void OnFatalError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
    // A source that runs dry makes libjpeg pad the picture with grey and carry on; we
    // want to know, so a cut-off file is refused instead of shown half grey.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<JpegErrorTrap*>(info->err)->premature_end = true;
    }
}

void OnOutputMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* JpegErrorTrap::Install() {
    jpeg_std_error(&manager);
    manager.error_exit = OnFatalError;
    manager.emit_message = OnMessage;
    manager.output_message = OnOutputMessage;
    premature_end = false;
    return &manager;
}

}  // namespace velmora
