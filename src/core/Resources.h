#pragma once

// Registers the application's compiled-in resources (strings, images, sounds). The core is a
// static library, so they must be pulled in explicitly; calling this more than once is harmless.
void initArvoResources();
