#pragma once
// The certificates of the HTTPS tests, made once per test program with
// OpenSSL and written to a temporary directory: a certificate authority, a
// server certificate it signed for 127.0.0.1 and localhost, and a second
// authority that signed nothing the servers show. All are valid from
// yesterday for ten years, so no shipped file can expire.
#include <QString>
#include <QTemporaryDir>

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace zircon::test {

struct TestPki {
    QString caFile;       // the authority the clients are told to trust (PEM)
    QString certFile;     // the server certificate (PEM)
    QString keyFile;      // its private key (PEM)
    QString otherCaFile;  // an authority unrelated to the server (PEM)
};

namespace pki_detail {

struct KeyFree {
    void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct CertFree {
    void operator()(X509* x) const { X509_free(x); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Cert = std::unique_ptr<X509, CertFree>;

inline void check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(std::string("test certificate: ") + what);
}

inline Key makeKey()
{
    Key key(EVP_EC_gen("P-256"));
    check(key != nullptr, "key");
    return key;
}

// A CA certificate signed by itself when issuer is null, else a server
// certificate for 127.0.0.1 and localhost signed by the issuer.
inline Cert makeCert(EVP_PKEY* key, const char* commonName, long serial, X509* issuer, EVP_PKEY* issuerKey)
{
    Cert x(X509_new());
    check(x != nullptr, "new");
    X509_set_version(x.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(x.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(x.get()), -24L * 3600);
    X509_gmtime_adj(X509_getm_notAfter(x.get()), 10L * 365 * 24 * 3600);
    X509_set_pubkey(x.get(), key);
    X509_NAME* name = X509_get_subject_name(x.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509_set_issuer_name(x.get(), issuer ? X509_get_subject_name(issuer) : name);
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer ? issuer : x.get(), x.get(), nullptr, nullptr, 0);
    auto add = [&](int nid, const char* value) {
        X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
        check(ext != nullptr, value);
        X509_add_ext(x.get(), ext, -1);
        X509_EXTENSION_free(ext);
    };
    add(NID_subject_key_identifier, "hash");
    if (!issuer) {
        add(NID_basic_constraints, "critical,CA:TRUE");
        add(NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        add(NID_authority_key_identifier, "keyid:always");
        add(NID_basic_constraints, "CA:FALSE");
        add(NID_key_usage, "critical,digitalSignature,keyEncipherment");
        add(NID_ext_key_usage, "serverAuth");
        add(NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    }
    check(X509_sign(x.get(), issuerKey ? issuerKey : key, EVP_sha256()) > 0, "sign");
    return x;
}

inline void writeCert(const QString& path, X509* x)
{
    BIO* bio = BIO_new_file(path.toLocal8Bit().constData(), "w");
    check(bio != nullptr, "open");
    const bool ok = PEM_write_bio_X509(bio, x) == 1;
    BIO_free(bio);
    check(ok, "write certificate");
}

inline void writeKey(const QString& path, EVP_PKEY* key)
{
    BIO* bio = BIO_new_file(path.toLocal8Bit().constData(), "w");
    check(bio != nullptr, "open");
    const bool ok = PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
    BIO_free(bio);
    check(ok, "write key");
}

}  // namespace pki_detail

inline const TestPki& testPki()
{
    static QTemporaryDir dir;
    static const TestPki pki = [] {
        using namespace pki_detail;
        check(dir.isValid(), "directory");
        TestPki p;
        p.caFile = dir.filePath(QStringLiteral("test-ca.pem"));
        p.certFile = dir.filePath(QStringLiteral("server.pem"));
        p.keyFile = dir.filePath(QStringLiteral("server.key"));
        p.otherCaFile = dir.filePath(QStringLiteral("other-ca.pem"));
        const Key caKey = makeKey();
        const Cert ca = makeCert(caKey.get(), "Zircon test CA", 1, nullptr, nullptr);
        const Key serverKey = makeKey();
        const Cert server = makeCert(serverKey.get(), "127.0.0.1", 2, ca.get(), caKey.get());
        const Key otherKey = makeKey();
        const Cert other = makeCert(otherKey.get(), "Unrelated test CA", 3, nullptr, nullptr);
        writeCert(p.caFile, ca.get());
        writeCert(p.certFile, server.get());
        writeKey(p.keyFile, serverKey.get());
        writeCert(p.otherCaFile, other.get());
        return p;
    }();
    return pki;
}

}  // namespace zircon::test
