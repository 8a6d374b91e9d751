// Starts the graphics library without a display, once per test process:
// memory bitmaps, drawing, fonts and file I/O all work without a system driver.
#pragma once

void start_headless_library();
