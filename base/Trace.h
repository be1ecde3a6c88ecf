#pragma once

// Debug traces ("Size of pScreen object = %d.\n"); this build prints nothing.
inline void Trace(const char*, ...) {}
