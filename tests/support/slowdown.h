#pragma once
// Time bounds in tests hold for a normal build; under the sanitizers the same code runs several times
// slower, so bounds are widened by this factor there (still far below what a quadratic cost takes).

namespace corvane::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr double kSlowdown = 10;
#else
inline constexpr double kSlowdown = 1;
#endif

} // namespace corvane::test
