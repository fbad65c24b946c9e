// Reads lines `function x [y]` (hex floats) and prints MPFR's correctly rounded double result in %a.
// Used by check_digest_changes.py. Build: g++ -O2 mpfr_eval.cpp -lmpfr -lgmp -o mpfr_eval
#include <mpfr.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
  mpfr_set_emin(-1073);
  mpfr_set_emax(1024);
  char name[16];
  char xs[64], ys[64];
  char line[256];
  while (std::fgets(line, sizeof line, stdin)) {
    ys[0] = 0;
    if (std::sscanf(line, "%15s %63s %63s", name, xs, ys) < 2) continue;
    mpfr_t x, y, r;
    mpfr_inits2(53, x, y, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(x, std::strtod(xs, nullptr), MPFR_RNDN);
    mpfr_set_d(y, ys[0] ? std::strtod(ys, nullptr) : 0.0, MPFR_RNDN);
    int t = 0;
    if (!std::strcmp(name, "sin")) t = mpfr_sin(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "cos")) t = mpfr_cos(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "exp")) t = mpfr_exp(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "log")) t = mpfr_log(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "sinh")) t = mpfr_sinh(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "cosh")) t = mpfr_cosh(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "tanh")) t = mpfr_tanh(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "asin")) t = mpfr_asin(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "acos")) t = mpfr_acos(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "atan")) t = mpfr_atan(r, x, MPFR_RNDN);
    else if (!std::strcmp(name, "atan2")) t = mpfr_atan2(r, x, y, MPFR_RNDN);
    else if (!std::strcmp(name, "pow")) t = mpfr_pow(r, x, y, MPFR_RNDN);
    t = mpfr_check_range(r, t, MPFR_RNDN);
    mpfr_subnormalize(r, t, MPFR_RNDN);
    std::printf("%a\n", mpfr_get_d(r, MPFR_RNDN));
    mpfr_clears(x, y, r, static_cast<mpfr_ptr>(nullptr));
  }
}
