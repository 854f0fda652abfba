#include "claim_owner.h"

#include <unistd.h>

// root (under sudo) and an ordinary user share the temporary folder: the user id tells them
// apart.
QString ClaimOwner() {
    return QString::number(getuid());
}
