#include "foundation/setup_applying.h"

SetupApplying& SetupApplying::instance() {
    static SetupApplying applying;
    return applying;
}

SetupApplyingScope::SetupApplyingScope() {
    if (SetupApplying::instance().depth_++ == 0) {
        emit SetupApplying::instance().changed(true);
    }
}

SetupApplyingScope::~SetupApplyingScope() {
    if (--SetupApplying::instance().depth_ == 0) {
        emit SetupApplying::instance().changed(false);
    }
}
