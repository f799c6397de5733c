#pragma once
// Numbers the user types (frame rate, frame numbers, grid counts, typed points) are
// read by one rule: only decimal digits count; empty text or any other character
// (a sign, a blank, a point) reads as 0.

#include <QString>

#include <cstdint>

namespace zv {

// The decimal value of `text` when it is all digits; 0 otherwise, and 0 as well for
// a value that does not fit in a 32-bit int (more digits than an int holds would
// overflow and is no better a number than "12a").
std::int32_t TextToNumber(const QString& text);
QString NumberToText(std::int32_t n);

}  // namespace zv
