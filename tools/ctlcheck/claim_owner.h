#pragma once

#include <QString>

// Who a claim on one copy belongs to, as part of the claim's file name: each user, the
// administrator included, has claims of their own.
QString ClaimOwner();
