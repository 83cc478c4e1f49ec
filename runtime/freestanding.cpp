// Without a C runtime GCC still emits calls to these for struct copies and
// clears, so every Windows binary links this small set.
#include <stddef.h>

extern "C" {

void* memset(void* dest, int value, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(dest);
  while (count--) *d++ = static_cast<unsigned char>(value);
  return dest;
}

void* memcpy(void* dest, const void* src, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(dest);
  const unsigned char* s = static_cast<const unsigned char*>(src);
  while (count--) *d++ = *s++;
  return dest;
}

void* memmove(void* dest, const void* src, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(dest);
  const unsigned char* s = static_cast<const unsigned char*>(src);
  if (d < s) {
    while (count--) *d++ = *s++;
  } else {
    while (count--) d[count] = s[count];
  }
  return dest;
}

int memcmp(const void* a, const void* b, size_t count) {
  const unsigned char* x = static_cast<const unsigned char*>(a);
  const unsigned char* y = static_cast<const unsigned char*>(b);
  for (; count; --count, ++x, ++y)
    if (*x != *y) return *x < *y ? -1 : 1;
  return 0;
}

}  // extern "C"
