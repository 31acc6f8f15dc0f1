#pragma once

// The running system's version: the kernel release (for example 6.1.0 gives 6, 1, 0).
// Unknown parts are 0. Returns false when nothing could be read.
bool getSystemVersion(int *major, int *minor, int *bugFix);
