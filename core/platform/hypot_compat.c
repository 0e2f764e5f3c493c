/* Binds cairo's hypot() to the old symbol version, so glibc 2.35 is not required. */
double __hypot_old(double, double);
__asm__(".symver __hypot_old,hypot@GLIBC_2.2.5");
double __wrap_hypot(double a, double b) { return __hypot_old(a, b); }
