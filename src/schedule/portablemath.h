#pragma once
// Sine, cosine and arctangent computed the same way on every system. The C libraries of Linux and of
// Windows differ in the last bits of these functions, which is enough to move a proposed arrival time
// by a second; these compute in double-double arithmetic (some 106 bits, plain IEEE additions and
// multiplications) and round once, so that every build gives the same, all but always correctly
// rounded, results.

namespace corvane {

double PortableSin(double x);
double PortableCos(double x);
double PortableAtan(double x);

} // namespace corvane
