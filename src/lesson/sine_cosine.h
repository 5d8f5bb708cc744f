#pragma once

// Sine and cosine in double, as GL and GLU work them out. The page takes the
// browser's own, which it has already, rather than carry a second copy in
// its WebAssembly; natively they are the C library's.
double sine(double radians);
double cosine(double radians);
