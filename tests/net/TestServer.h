#pragma once
// A tiny HTTP server on 127.0.0.1 for the download tests. It runs on a thread
// of its own, because the program's downloads block the GUI thread.
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TTestServer {
 public:
  struct Antwort {
    int status = 200;
    std::string koerper;
    std::string kopfzeilen;  // further header lines, each ending in "\r\n"
    bool abbrechen = false;  // announce the whole body, send half of it, close
    bool ohneLaenge = false;  // no Content-Length: the body ends when the connection closes
    int tropfen = 0;          // > 0: the body trickles out, this many bytes every 100 ms
    int verzoegerungMs = 0;  // wait this long before answering (or until the client leaves)
  };

  // "sicher": https with the certificate of Testzertifikat.h.
  explicit TTestServer(bool sicher = false);
  ~TTestServer();
  TTestServer(const TTestServer&) = delete;
  TTestServer& operator=(const TTestServer&) = delete;

  // What a request for "pfad" ("/dl.txt") gets; unknown paths get 404. A path
  // ending in "*" answers every request that begins with what stands before it.
  void setze(const std::string& pfad, Antwort a);
  // "http://127.0.0.1:<port>/" (or https)
  std::string adresse() const;
  // The paths requested so far, in order.
  std::vector<std::string> anfragen() const;
  // The whole head of each request (request line and header lines), and when it arrived.
  std::vector<std::string> anfrageKoepfe() const;
  std::vector<std::chrono::steady_clock::time_point> anfrageZeiten() const;

 private:
  void laufen();
  void beantworten(int verbindung);

  void* tls_ = nullptr;  // SSL_CTX
  int lauscher_ = -1;
  int port_ = 0;
  std::atomic<bool> ende_{false};
  mutable std::mutex sperre_;
  std::map<std::string, Antwort> antworten_;
  std::vector<std::string> anfragen_, koepfe_;
  std::vector<std::chrono::steady_clock::time_point> zeiten_;
  std::thread faden_;
};
