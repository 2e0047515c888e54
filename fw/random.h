#pragma once
#include <cstdint>
#include <functional>

// Numbers and randomness. The random source is one seeded generator for the whole run;
// tests seed it, or replace it with a source of their own.
namespace fw {

double Rnd();                                          // uniform on [0, 1)
int Round(double v);                                   // to the nearest whole number, halves away from zero
int toInt32(double v);                                 // a Double made an Int32: toward zero, saturating
void seedRandom(std::uint64_t seed);                   // makes every later draw reproducible
void setRandomSource(std::function<double()> source);  // empty function: back to the generator

}  // namespace fw
