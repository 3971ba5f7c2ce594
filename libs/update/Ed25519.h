#pragma once

#include <QByteArray>

// Detached Ed25519 signatures of update manifests. Keys are raw: 32 bytes
// public, 32 bytes secret (the seed); signatures 64 bytes.
namespace Ed25519 {

constexpr qsizetype PublicKeySize = 32;
constexpr qsizetype SecretKeySize = 32;
constexpr qsizetype SignatureSize = 64;

// False for a wrong signature and for a key or signature of the wrong size.
bool Verify(const QByteArray& message, const QByteArray& signature, const QByteArray& publicKey);

// Empty when the key is unusable.
QByteArray Sign(const QByteArray& message, const QByteArray& secretKey);

// A new secret key from the system's random source, and its public half.
bool GenerateKeyPair(QByteArray& secretKey, QByteArray& publicKey);
QByteArray PublicKeyOf(const QByteArray& secretKey);

} // namespace Ed25519
