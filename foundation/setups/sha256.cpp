#include "foundation/setups/sha256.h"

#include <openssl/evp.h>

struct Sha256::Context {
    EVP_MD_CTX* digest = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(digest); }
};

Sha256::Sha256() : context_(std::make_unique<Context>()) {
    EVP_DigestInit_ex(context_->digest, EVP_sha256(), nullptr);
}

Sha256::~Sha256() = default;

void Sha256::addData(QByteArrayView bytes) {
    EVP_DigestUpdate(context_->digest, bytes.data(), size_t(bytes.size()));
}

QByteArray Sha256::hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_->digest, digest, &length);
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
}
