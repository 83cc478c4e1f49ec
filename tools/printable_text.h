// Package texts shown on a terminal: a hostile package must not be able
// to send control sequences through a name or a string.
#pragma once
#include <string>

// Control bytes and bytes of the ANSI upper half as \xNN.
std::string PrintableText(const std::string& text);
