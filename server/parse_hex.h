#pragma once
#include <cstdint>

// Reads the leading hexadecimal digits of a UTF-16 text as an unsigned 32-bit
// value (only the last eight digits count). No blank, sign or 0x prefix is
// accepted. Returns the position after the last digit, or null when the text is
// missing (value untouched) or begins with no digit (value 0).
const wchar_t* ParseHex(const wchar_t* text, uint32_t& value);
