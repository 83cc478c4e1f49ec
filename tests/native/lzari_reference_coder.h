// A second LZARI encoder for the tests, written plainly from the format's
// description and sharing nothing with lzari/: it codes items chosen by
// hand, so that streams it makes pin the format independently of the
// codec's own encoder, parse and model code.
#pragma once
#include <cstdint>
#include <vector>

struct RefItem {
  int length;   // 1 = literal, 3..60 = match
  int value;    // the byte, or the position P (copy from P + 1 bytes back)
};

namespace ref {

struct Coder {
  int freq[315], cum[315], rankChar[315], charRank[314];
  int positionCum[4097];
  uint32_t low = 0, high = 0x20000;
  long pending = 0;
  std::vector<uint8_t> out;
  int bitsInByte = 0;
};

inline void Start(Coder* c) {
  c->cum[314] = 0;
  for (int k = 314; k >= 1; k--) {
    c->charRank[k - 1] = k;
    c->rankChar[k] = k - 1;
    c->freq[k] = 1;
    c->cum[k - 1] = c->cum[k] + 1;
  }
  c->freq[0] = 0;
  c->positionCum[4096] = 0;
  for (int i = 4096; i >= 1; i--) c->positionCum[i - 1] = c->positionCum[i] + 10000 / (i + 200);
}

inline void Bit(Coder* c, int bit) {
  if (c->bitsInByte == 0) c->out.push_back(0);
  if (bit) c->out.back() |= 0x80 >> c->bitsInByte;
  c->bitsInByte = (c->bitsInByte + 1) % 8;
}

inline void BitPlusPending(Coder* c, int bit) {
  Bit(c, bit);
  for (; c->pending > 0; c->pending--) Bit(c, !bit);
}

inline void Code(Coder* c, uint32_t lowCum, uint32_t highCum, uint32_t total) {
  uint32_t range = c->high - c->low;
  c->high = c->low + range * highCum / total;
  c->low = c->low + range * lowCum / total;
  for (;;) {
    if (c->high <= 0x10000) {
      BitPlusPending(c, 0);
    } else if (c->low >= 0x10000) {
      BitPlusPending(c, 1);
      c->low -= 0x10000;
      c->high -= 0x10000;
    } else if (c->low >= 0x8000 && c->high <= 0x18000) {
      c->pending++;
      c->low -= 0x8000;
      c->high -= 0x8000;
    } else {
      break;
    }
    c->low *= 2;
    c->high *= 2;
  }
}

inline void CodeChar(Coder* c, int code) {
  int k = c->charRank[code];
  Code(c, c->cum[k], c->cum[k - 1], c->cum[0]);
  if (c->cum[0] >= 32767) {
    int s = 0;
    for (int j = 314; j >= 1; j--) {
      c->cum[j] = s;
      c->freq[j] = (c->freq[j] + 1) / 2;
      s += c->freq[j];
    }
    c->cum[0] = s;
  }
  int i = k;
  while (c->freq[i - 1] == c->freq[i]) i--;
  if (i < k) {
    int a = c->rankChar[i], b = c->rankChar[k];
    c->rankChar[i] = b;
    c->rankChar[k] = a;
    c->charRank[a] = k;
    c->charRank[b] = i;
  }
  c->freq[i]++;
  for (int j = i - 1; j >= 0; j--) c->cum[j]++;
}

}  // namespace ref

// The stream of items, followed by two zero bytes: enough for the
// decoder's read-ahead whatever the last bits.
inline std::vector<uint8_t> RefEncode(const std::vector<RefItem>& items) {
  ref::Coder c;
  ref::Start(&c);
  for (const RefItem& item : items) {
    if (item.length == 1) {
      ref::CodeChar(&c, item.value);
    } else {
      ref::CodeChar(&c, item.length + 253);
      ref::Code(&c, c.positionCum[item.value + 1], c.positionCum[item.value], 28568);
    }
  }
  c.pending++;
  ref::BitPlusPending(&c, c.low < 0x8000 ? 0 : 1);
  c.out.push_back(0);
  c.out.push_back(0);
  return c.out;
}

// What the items decode to: history starts as 4036 spaces.
inline std::vector<uint8_t> RefExpand(const std::vector<RefItem>& items) {
  const size_t kPrefill = 4036;
  std::vector<uint8_t> text(kPrefill, ' ');
  for (const RefItem& item : items) {
    if (item.length == 1) {
      text.push_back(static_cast<uint8_t>(item.value));
      continue;
    }
    size_t from = text.size() - item.value - 1;
    for (int k = 0; k < item.length; k++) text.push_back(text[from + k]);
  }
  return std::vector<uint8_t>(text.begin() + kPrefill, text.end());
}

inline std::vector<uint8_t> SizePrefixed(uint32_t size, const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> block = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                                static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  block.insert(block.end(), stream.begin(), stream.end());
  return block;
}
