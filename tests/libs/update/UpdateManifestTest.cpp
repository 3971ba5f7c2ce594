#include "Ed25519.h"
#include "UpdateManifest.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

namespace {

UpdateManifest TwoFiles()
{
    UpdateManifest manifest;
    manifest.version.Parse(QStringLiteral("1.2.0.7"));
    manifest.name = QStringLiteral("Quorvel 1.2 «Ridge»");
    manifest.infoUrl = QStringLiteral("https://example.org/1.2");
    manifest.files.push_back({QStringLiteral("quorvel"), 3, QCryptographicHash::hash("abc", QCryptographicHash::Sha256), true});
    manifest.files.push_back({QStringLiteral("data/Maps/x.xml"), 0, QCryptographicHash::hash("", QCryptographicHash::Sha256), false});
    return manifest;
}

// The manifest of TwoFiles with one text replaced.
QByteArray Edited(const char* from, const char* to)
{
    QByteArray json = TwoFiles().ToJson();
    EXPECT_TRUE(json.contains(from)) << from;
    return json.replace(from, to);
}

} // namespace

TEST(UpdateManifest, ReadsBackWhatItWrites)
{
    const UpdateManifest written = TwoFiles();
    const std::optional<UpdateManifest> read = UpdateManifest::Parse(written.ToJson());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->version, written.version);
    EXPECT_EQ(read->GetVersionText(), QStringLiteral("1.2.0.7"));
    EXPECT_EQ(read->name, written.name);
    EXPECT_EQ(read->infoUrl, written.infoUrl);
    EXPECT_EQ(read->files, written.files);
}

TEST(UpdateManifest, RefusesManifestsThatCouldHarmOrMislead)
{
    QString error;
    for (const auto& [from, to] : std::vector<std::pair<const char*, const char*>>{
             {"\"Quorvel\"", "\"Other\""},                 // another product's release
             {"\"1.2.0.7\"", "\"1.2-beta\""},              // no comparable version
             {"\"quorvel\"", "\"../quorvel\""},            // escapes the program folder
             {"\"quorvel\"", "\"/usr/bin/quorvel\""},      // absolute
             {"\"quorvel\"", "\"bin\\\\quorvel\""},        // backslash
             {"\"quorvel\"", "\"./quorvel\""},             // dot part
             {"\"quorvel\"", "\".quorvel-new-x\""},        // the installer's own working names
             {"\"quorvel\"", "\"data/Maps/x.xml\""},       // a file twice
             {"\"size\": 3", "\"size\": -3"},              // negative size
             {"\"size\": 3", "\"size\": 3.5"},             // fractional size
             {"\"size\": 3", "\"size\": 2000000000"},      // beyond the limit
             {"\"size\": 3", "\"size\": \"3\""},           // not a number
         }) {
        EXPECT_FALSE(UpdateManifest::Parse(Edited(from, to), &error)) << from << " -> " << to;
        EXPECT_FALSE(error.isEmpty());
    }
    // A digest one hex digit short.
    const QString digest = QString::fromLatin1(TwoFiles().files[0].sha256.toHex());
    EXPECT_FALSE(UpdateManifest::Parse(Edited(digest.toLatin1().constData(), digest.left(63).toLatin1().constData())));
    EXPECT_FALSE(UpdateManifest::Parse("not json"));
    EXPECT_FALSE(UpdateManifest::Parse(QByteArray(UpdateManifest::MaxManifestSize + 1, ' ')));
    EXPECT_FALSE(UpdateManifest::Parse(Edited("\"files\": [", "\"files\": [], \"x\": [")));
}

TEST(Ed25519, SignaturesVerifyOnlyForTheirMessageAndKey)
{
    QByteArray secret;
    QByteArray publicKey;
    ASSERT_TRUE(Ed25519::GenerateKeyPair(secret, publicKey));
    EXPECT_EQ(Ed25519::PublicKeyOf(secret), publicKey);
    const QByteArray message = TwoFiles().ToJson();
    const QByteArray signature = Ed25519::Sign(message, secret);
    ASSERT_EQ(signature.size(), Ed25519::SignatureSize);
    EXPECT_TRUE(Ed25519::Verify(message, signature, publicKey));

    QByteArray changed = message;
    changed[changed.size() / 2] = char(changed[changed.size() / 2] ^ 1);
    EXPECT_FALSE(Ed25519::Verify(changed, signature, publicKey));
    QByteArray otherSecret;
    QByteArray otherPublic;
    ASSERT_TRUE(Ed25519::GenerateKeyPair(otherSecret, otherPublic));
    EXPECT_FALSE(Ed25519::Verify(message, signature, otherPublic));
    EXPECT_FALSE(Ed25519::Verify(message, signature.left(63), publicKey));
    EXPECT_FALSE(Ed25519::Verify(message, QByteArray(), publicKey));
    EXPECT_FALSE(Ed25519::Verify(message, signature, publicKey.left(31)));
    EXPECT_TRUE(Ed25519::Sign(message, secret.left(31)).isEmpty());
}

// RFC 8032, test 2: a published key, message and signature, so that the
// keys of another signing tool work here.
TEST(Ed25519, AgreesWithThePublishedTestVector)
{
    const QByteArray secret = QByteArray::fromHex("4ccd089b28ff96da9db6c346ec114e0f5b8a319f35aba624da8cf6ed4fb8a6fb");
    const QByteArray publicKey = QByteArray::fromHex("3d4017c3e843895a92b70aa74d1b7ebc9c982ccf2ec4968cc0cd55f12af4660c");
    const QByteArray message = QByteArray::fromHex("72");
    const QByteArray signature = QByteArray::fromHex(
        "92a009a9f0d4cab8720e820b5f642540a2b27b5416503f8fb3762223ebdb69da"
        "085ac1e43e15996e458f3613d0f11d8c387b2eaeb4302aeeb00d291612bb0c00");
    EXPECT_EQ(Ed25519::PublicKeyOf(secret), publicKey);
    EXPECT_EQ(Ed25519::Sign(message, secret), signature);
    EXPECT_TRUE(Ed25519::Verify(message, signature, publicKey));
}
