// Starts the graphics library without a display for tests.
#pragma once

// Idempotent: install_allegro(SYSTEM_NONE), 32-bit colour depth, the PNG file type, once per process.
void start_headless_library();
