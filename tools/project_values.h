// Values of project keys: yes/no flags, colours, sizes and the like.
// Each returns false with a problem text that names what was expected.
#pragma once
#include <stdint.h>

#include <string>

bool ParseFlag(const std::string& text, bool* value, std::string* problem);
bool ParseColour(const std::string& text, uint8_t rgb[3], std::string* problem);
// Bytes, or a whole number with K (1024) or M (1048576) after it.
bool ParseVolumeSize(const std::string& text, uint64_t* bytes, std::string* problem);
bool ParseOverwriteMode(const std::string& text, uint8_t* mode, std::string* problem);
// always, keep or ask: the name of a record's overwrite mode.
const char* OverwriteModeName(uint8_t mode);
// Names joined by '+' (readonly, hidden, system, archive) or a number.
bool ParseAttributes(const std::string& text, uint32_t* attributes, std::string* problem);
// A decimal number that a 32-bit registry value can hold, signed or not.
bool CheckRegistryNumber(const std::string& text, std::string* problem);
// A message id that has a text of its own.
bool ParseMessageId(const std::string& text, int* id, std::string* problem);
// Commas, parentheses and brackets outside double quotes break a Program
// Manager command.
bool CheckDdeText(const std::string& text, std::string* problem);
