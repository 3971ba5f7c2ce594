#include "Ed25519.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <memory>

namespace {

struct KeyDeleter
{
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct ContextDeleter
{
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyDeleter>;
using Context = std::unique_ptr<EVP_MD_CTX, ContextDeleter>;

const unsigned char* Bytes(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

Key SecretKey(const QByteArray& secretKey)
{
    if (secretKey.size() != Ed25519::SecretKeySize)
        return nullptr;
    return Key(EVP_PKEY_new_raw_private_key(EVP_PKEY_ED25519, nullptr, Bytes(secretKey), size_t(secretKey.size())));
}

} // namespace

bool Ed25519::Verify(const QByteArray& message, const QByteArray& signature, const QByteArray& publicKey)
{
    if (signature.size() != SignatureSize || publicKey.size() != PublicKeySize)
        return false;
    const Key key(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, Bytes(publicKey), size_t(publicKey.size())));
    const Context context(EVP_MD_CTX_new());
    if (!key || !context || EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1)
        return false;
    return EVP_DigestVerify(context.get(), Bytes(signature), size_t(signature.size()), Bytes(message),
                            size_t(message.size())) == 1;
}

QByteArray Ed25519::Sign(const QByteArray& message, const QByteArray& secretKey)
{
    const Key key = SecretKey(secretKey);
    const Context context(EVP_MD_CTX_new());
    if (!key || !context || EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1)
        return {};
    QByteArray signature(SignatureSize, '\0');
    size_t length = size_t(signature.size());
    if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length, Bytes(message),
                       size_t(message.size())) != 1 ||
        length != size_t(SignatureSize))
        return {};
    return signature;
}

bool Ed25519::GenerateKeyPair(QByteArray& secretKey, QByteArray& publicKey)
{
    QByteArray seed(SecretKeySize, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(seed.data()), int(seed.size())) != 1)
        return false;
    publicKey = PublicKeyOf(seed);
    if (publicKey.isEmpty())
        return false;
    secretKey = seed;
    return true;
}

QByteArray Ed25519::PublicKeyOf(const QByteArray& secretKey)
{
    const Key key = SecretKey(secretKey);
    QByteArray publicKey(PublicKeySize, '\0');
    size_t length = size_t(publicKey.size());
    if (!key ||
        EVP_PKEY_get_raw_public_key(key.get(), reinterpret_cast<unsigned char*>(publicKey.data()), &length) != 1 ||
        length != size_t(PublicKeySize))
        return {};
    return publicKey;
}
