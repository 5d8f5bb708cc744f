#pragma once

// Sine and cosine in double, as GL and GLU work them out: natively the C
// library's (sine_cosine_native.cpp); on the page the browser's own
// (src/web/gl/sine_cosine_web.cpp), which it has already.
double sine(double radians);
double cosine(double radians);
