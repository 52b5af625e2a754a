#pragma once

#include <cstdint>

// Logical pixels per inch of the primary screen, read once at start-up (96 when there is no
// screen). Every position and size of a control is held in pixels at this resolution.
int32_t ScreenPixelsPerInchX();
int32_t ScreenPixelsPerInchY();

// Reads the primary screen's resolution; called once after the application object exists.
void ReadScreenResolution();

// Fixes the resolution, for tests and for headless runs that must match a given screen.
void SetScreenResolution(int32_t x, int32_t y);
