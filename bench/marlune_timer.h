// One interval at a time on the high-resolution counter, in milliseconds.
#pragma once

// Reads the counter frequency on its first call in the process, then the
// start reading.
void startTimer();
// Takes the stop reading first, then returns the milliseconds since the last
// start. Without a start it returns 0. The subtraction of the readings
// raises the integer-overflow error should it overflow.
double stopTimer();

// Forgets the frequency read, so the next start reads it again (for tests).
void resetTimer();
