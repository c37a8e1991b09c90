#include "tests/net/TestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "tests/net/Testzertifikat.h"

namespace {

SSL_CTX* tlsKontext() {
  SSL_CTX* k = SSL_CTX_new(TLS_server_method());
  BIO* z = BIO_new_mem_buf(TESTZERTIFIKAT, -1);
  BIO* s = BIO_new_mem_buf(TESTSCHLUESSEL, -1);
  X509* zert = PEM_read_bio_X509(z, nullptr, nullptr, nullptr);
  EVP_PKEY* schl = PEM_read_bio_PrivateKey(s, nullptr, nullptr, nullptr);
  const bool ok = k && zert && schl && SSL_CTX_use_certificate(k, zert) == 1 && SSL_CTX_use_PrivateKey(k, schl) == 1;
  X509_free(zert);
  EVP_PKEY_free(schl);
  BIO_free(z);
  BIO_free(s);
  if (!ok) throw std::runtime_error("test server has no certificate");
  return k;
}

}  // namespace

TTestServer::TTestServer(bool sicher) {
  if (sicher) tls_ = tlsKontext();
  lauscher_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  socklen_t laenge = sizeof a;
  if (lauscher_ < 0 || ::bind(lauscher_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(lauscher_, 8) != 0 || ::getsockname(lauscher_, reinterpret_cast<sockaddr*>(&a), &laenge) != 0)
    throw std::runtime_error("test server cannot listen");
  port_ = ntohs(a.sin_port);
  faden_ = std::thread([this] { laufen(); });
}

TTestServer::~TTestServer() {
  ende_ = true;
  faden_.join();
  ::close(lauscher_);
  SSL_CTX_free(static_cast<SSL_CTX*>(tls_));
}

void TTestServer::setze(const std::string& pfad, Antwort a) {
  std::lock_guard<std::mutex> g(sperre_);
  antworten_[pfad] = std::move(a);
}

std::string TTestServer::adresse() const {
  return (tls_ ? "https" : "http") + std::string("://127.0.0.1:") + std::to_string(port_) + "/";
}

std::vector<std::string> TTestServer::anfragen() const {
  std::lock_guard<std::mutex> g(sperre_);
  return anfragen_;
}

std::vector<std::string> TTestServer::anfrageKoepfe() const {
  std::lock_guard<std::mutex> g(sperre_);
  return koepfe_;
}

std::vector<std::chrono::steady_clock::time_point> TTestServer::anfrageZeiten() const {
  std::lock_guard<std::mutex> g(sperre_);
  return zeiten_;
}

void TTestServer::laufen() {
  while (!ende_) {
    pollfd p{lauscher_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    const int v = ::accept4(lauscher_, nullptr, nullptr, SOCK_CLOEXEC);
    if (v < 0) continue;
    beantworten(v);
    ::close(v);
  }
}

void TTestServer::beantworten(int verbindung) {
  std::unique_ptr<SSL, void (*)(SSL*)> tls(nullptr, [](SSL* s) {
    SSL_shutdown(s);
    SSL_free(s);
  });
  if (tls_) {
    tls.reset(SSL_new(static_cast<SSL_CTX*>(tls_)));
    SSL_set_fd(tls.get(), verbindung);
    pollfd p{verbindung, POLLIN, 0};
    // A client that does not trust the certificate gives up here.
    if (::poll(&p, 1, 5000) <= 0 || SSL_accept(tls.get()) != 1) return;
  }
  std::string anfrage;
  char puffer[4096];
  while (anfrage.find("\r\n\r\n") == std::string::npos && anfrage.size() < 65536) {
    pollfd p{verbindung, POLLIN, 0};
    if (!(tls && SSL_pending(tls.get()) > 0) && ::poll(&p, 1, 5000) <= 0) return;
    const ssize_t n = tls ? SSL_read(tls.get(), puffer, sizeof puffer) : ::recv(verbindung, puffer, sizeof puffer, 0);
    if (n <= 0) return;
    anfrage.append(puffer, static_cast<std::size_t>(n));
  }
  // "GET /pfad HTTP/1.1"
  const auto a = anfrage.find(' ');
  const auto b = anfrage.find(' ', a + 1);
  const std::string pfad = a == std::string::npos || b == std::string::npos ? "" : anfrage.substr(a + 1, b - a - 1);
  Antwort antwort{404, "nicht gefunden", "", false};
  {
    std::lock_guard<std::mutex> g(sperre_);
    anfragen_.push_back(pfad);
    koepfe_.push_back(anfrage.substr(0, anfrage.find("\r\n\r\n")));
    zeiten_.push_back(std::chrono::steady_clock::now());
    if (auto it = antworten_.find(pfad); it != antworten_.end()) {
      antwort = it->second;
    } else {
      for (const auto& [muster, a] : antworten_)
        if (!muster.empty() && muster.back() == '*' && pfad.compare(0, muster.size() - 1, muster, 0, muster.size() - 1) == 0)
          antwort = a;
    }
  }
  // A stalled server: silent until the time is up, the client leaves or the server ends.
  const auto bis = std::chrono::steady_clock::now() + std::chrono::milliseconds(antwort.verzoegerungMs);
  while (!ende_ && std::chrono::steady_clock::now() < bis) {
    pollfd p{verbindung, POLLIN, 0};
    if (::poll(&p, 1, 20) > 0 && ::recv(verbindung, puffer, sizeof puffer, MSG_DONTWAIT) <= 0) return;
  }
  std::string kopf = "HTTP/1.1 " + std::to_string(antwort.status) + " Test\r\n";
  if (!antwort.ohneLaenge) kopf += "Content-Length: " + std::to_string(antwort.koerper.size()) + "\r\n";
  kopf += "Connection: close\r\n" + antwort.kopfzeilen + "\r\n";
  const std::string koerper =
      antwort.abbrechen ? antwort.koerper.substr(0, antwort.koerper.size() / 2) : antwort.koerper;
  auto senden = [verbindung, &tls](const char* daten, std::size_t laenge) {
    std::size_t gesendet = 0;
    while (gesendet < laenge) {
      const ssize_t n = tls ? SSL_write(tls.get(), daten + gesendet, static_cast<int>(laenge - gesendet))
                            : ::send(verbindung, daten + gesendet, laenge - gesendet, MSG_NOSIGNAL);
      if (n <= 0) return false;
      gesendet += static_cast<std::size_t>(n);
    }
    return true;
  };
  if (!senden(kopf.data(), kopf.size())) return;
  if (antwort.tropfen <= 0) {
    senden(koerper.data(), koerper.size());
    return;
  }
  // Slowly, until the body is out, the client has gone or the server ends.
  for (std::size_t pos = 0; pos < koerper.size() && !ende_; pos += static_cast<std::size_t>(antwort.tropfen)) {
    if (!senden(koerper.data() + pos, std::min(koerper.size() - pos, static_cast<std::size_t>(antwort.tropfen))))
      return;
    pollfd p{verbindung, POLLIN, 0};
    // A closed connection reads as readable: stop at once.
    if (::poll(&p, 1, 100) > 0) {
      char c;
      if (::recv(verbindung, &c, 1, MSG_DONTWAIT) <= 0) return;
    }
  }
}
