#include "claim_owner.h"

// Windows gives each user a temporary folder of their own, so the claim's folder already
// tells users apart; the name only keeps the file names alike.
QString ClaimOwner() {
    return qEnvironmentVariable("USERNAME");
}
