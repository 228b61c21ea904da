#pragma once

namespace zem {

// The text the user interface shows for a number: a blank before a number that is not negative, a
// minus sign before a negative one, the full stop as decimal separator in every locale, at most seven
// significant digits, no zero before the point of a number below 1 (" .5", "-.25"), no point for whole
// values (" 12"), and exponent form (" 1E+07", " 1.234568E+07", " 1E-05") where seven digits cannot
// show the number plainly: from 1E+07 upwards and below 1E-04. Written into a caller's buffer of at
// least 24 characters, without allocating; returns the length.
int zahlTextSchreiben(double wert, char* puffer);

} // namespace zem
