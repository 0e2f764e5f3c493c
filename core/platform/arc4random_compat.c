/* libstdc++'s random_device reaches for arc4random(), which glibc has only since 2.36; the
   programs must start on 2.34. The same random bytes come from getrandom() (glibc 2.25). */
#include <stdint.h>
#include <sys/random.h>

uint32_t arc4random(void) {
  uint32_t value = 0;
  for (int tries = 0; tries < 100; ++tries) {
    if (getrandom(&value, sizeof value, 0) == (ssize_t)sizeof value) break;
  }
  return value;
}
