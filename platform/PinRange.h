#pragma once
// The print head's striking pins: numbered 1..9 on the wire, in records and texts; arrays and
// controls index them 0..8.
namespace zt40 {

inline constexpr int kFirstPin = 1;
inline constexpr int kLastPin = 9;
inline constexpr int kPinCount = kLastPin - kFirstPin + 1;

constexpr bool IsPinNumber(int pin) { return pin >= kFirstPin && pin <= kLastPin; }

}  // namespace zt40
