#include "tests/support/VollerDatentraeger.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <string>

VollerDatentraeger::VollerDatentraeger(const std::string& ordner, int kib) : ordner_(ordner) {
  if (::geteuid() != 0) return;
  const std::string optionen = "size=" + std::to_string(kib) + "k,mode=0777";
  bereit_ = ::mount("tmpfs", ordner_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, optionen.c_str()) == 0;
}

VollerDatentraeger::~VollerDatentraeger() {
  if (bereit_) ::umount2(ordner_.c_str(), MNT_DETACH);
}

void VollerDatentraeger::fuellen(long frei) {
  const int fd = ::open(pfad(".fueller").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return;
  static const char NULLEN[4096] = {};
  long geschrieben = 0;
  for (;;) {
    const ssize_t n = ::write(fd, NULLEN, sizeof NULLEN);
    if (n > 0) geschrieben += n;
    else if (n < 0 && errno == EINTR) continue;
    else break;
  }
  // Giving back whole pages makes room for exactly that much.
  if (frei > 0 && ::ftruncate(fd, geschrieben > frei ? geschrieben - frei : 0) != 0) {
    // the disk stays full; a test that counted on room sees it
  }
  ::close(fd);
}
