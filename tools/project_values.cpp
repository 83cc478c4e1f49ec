#include "project_values.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "engine/package/message_ids.h"
#include "windows_names.h"

namespace {

// Windows file attributes the tool lets an author set.
struct AttributeName {
  const char* name;
  uint32_t bit;
};
const AttributeName kAttributeNames[] = {
    {"readonly", 0x01}, {"hidden", 0x02}, {"system", 0x04}, {"archive", 0x20}};
const uint32_t kAllowedAttributes = 0x01 | 0x02 | 0x04 | 0x20 | 0x80;  // 0x80: normal

const char* const kOverwriteNames[] = {"always", "keep", "ask"};

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool ParseByte(const std::string& text, uint8_t* value) {
  std::string trimmed = text;
  while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(0, 1);
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  if (!AllDigits(trimmed) || trimmed.size() > 3) return false;
  int number = std::atoi(trimmed.c_str());
  if (number > 255) return false;
  *value = static_cast<uint8_t>(number);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool ParseFlag(const std::string& text, bool* value, std::string* problem) {
  std::string lower = AsciiLower(text);
  if (lower == "yes" || lower == "true" || lower == "on" || lower == "1") {
    *value = true;
    return true;
  }
  if (lower == "no" || lower == "false" || lower == "off" || lower == "0") {
    *value = false;
    return true;
  }
  *problem = "expected yes or no, not '" + text + "'";
  return false;
}

bool ParseColour(const std::string& text, uint8_t rgb[3], std::string* problem) {
  *problem = "expected a colour as red,green,blue (0-255 each) or #RRGGBB, not '" + text + "'";
  if (text.size() == 7 && text[0] == '#') {
    for (int i = 0; i < 3; i++) {
      int high = HexDigit(text[1 + 2 * i]), low = HexDigit(text[2 + 2 * i]);
      if (high < 0 || low < 0) return false;
      rgb[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return true;
  }
  size_t first = text.find(','), second = first == std::string::npos ? first : text.find(',', first + 1);
  if (second == std::string::npos || text.find(',', second + 1) != std::string::npos) return false;
  return ParseByte(text.substr(0, first), &rgb[0]) && ParseByte(text.substr(first + 1, second - first - 1), &rgb[1]) &&
         ParseByte(text.substr(second + 1), &rgb[2]);
}

bool ParseVolumeSize(const std::string& text, uint64_t* bytes, std::string* problem) {
  *problem = "expected a size in bytes, or a whole number followed by K or M, not '" + text + "'";
  std::string digits = text;
  uint64_t unit = 1;
  if (!digits.empty() && (digits.back() == 'K' || digits.back() == 'k')) unit = 1024;
  if (!digits.empty() && (digits.back() == 'M' || digits.back() == 'm')) unit = 1024 * 1024;
  if (unit != 1) digits.pop_back();
  if (!AllDigits(digits) || digits.size() > 10) return false;
  uint64_t value = std::strtoull(digits.c_str(), nullptr, 10) * unit;
  if (value > 0xFFFFFFFFULL) {
    *problem = "a volume holds at most 4294967295 bytes (its size word has 32 bits)";
    return false;
  }
  *bytes = value;
  return true;
}

bool ParseOverwriteMode(const std::string& text, uint8_t* mode, std::string* problem) {
  std::string lower = AsciiLower(text);
  for (uint8_t i = 0; i < 3; i++)
    if (lower == kOverwriteNames[i]) {
      *mode = i;
      return true;
    }
  *problem = "expected always, keep or ask, not '" + text + "'";
  return false;
}

const char* OverwriteModeName(uint8_t mode) { return kOverwriteNames[mode < 2 ? mode : 2]; }

bool ParseAttributes(const std::string& text, uint32_t* attributes, std::string* problem) {
  *attributes = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str() + 2, &end, 16);
    if (*end != 0 || (value & ~static_cast<unsigned long>(kAllowedAttributes))) {
      *problem = "attribute number '" + text + "' holds bits other than readonly, hidden, system, archive, normal";
      return false;
    }
    *attributes = static_cast<uint32_t>(value);
    return true;
  }
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('+', start);
    if (end == std::string::npos) end = text.size();
    std::string name = AsciiLower(text.substr(start, end - start));
    uint32_t bit = 0;
    for (const AttributeName& a : kAttributeNames)
      if (name == a.name) bit = a.bit;
    if (!bit) {
      *problem = "unknown attribute '" + name + "': expected readonly, hidden, system, archive joined by '+'";
      return false;
    }
    *attributes |= bit;
    start = end + 1;
  }
  return true;
}

bool CheckRegistryNumber(const std::string& text, std::string* problem) {
  bool negative = !text.empty() && text[0] == '-';
  std::string digits = negative ? text.substr(1) : text;
  if (!AllDigits(digits) || digits.size() > 10 ||
      std::strtoull(digits.c_str(), nullptr, 10) > (negative ? 2147483648ULL : 4294967295ULL)) {
    *problem = "a number value must be a decimal number from -2147483648 to 4294967295, not '" + text + "'";
    return false;
  }
  return true;
}

bool ParseMessageId(const std::string& text, int* id, std::string* problem) {
  if (AllDigits(text) && text.size() <= 4) {
    *id = std::atoi(text.c_str());
    if ((*id >= kMsgFirstLow && *id <= kMsgLastLow) || (*id >= kMsgFirstHigh && *id <= kMsgLastHigh)) return true;
  }
  *problem = "'" + text + "' is not a message id with a text of its own (150-170, 211-252)";
  return false;
}

bool CheckDdeText(const std::string& text, std::string* problem) {
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (!quoted && std::strchr(",()[]", c)) {
      *problem = std::string("'") + c +
                 "' outside double quotes would break the Program Manager command; put that part in double quotes";
      return false;
    }
  }
  return true;
}
