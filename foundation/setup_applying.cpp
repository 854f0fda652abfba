#include "foundation/setup_applying.h"

SetupApplyingScope::SetupApplyingScope(SetupApplying& applying) : applying_(applying) {
    if (applying_.depth_++ == 0) {
        emit applying_.changed(true);
    }
}

SetupApplyingScope::~SetupApplyingScope() {
    if (--applying_.depth_ == 0) {
        emit applying_.changed(false);
    }
}
