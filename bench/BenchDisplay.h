// The display the drawing benchmarks draw on: the null device (the runner's
// own work only) or OpenGL on SDL's offscreen driver, 640 x 480, with the
// draw state reset. False when no OpenGL context can be made here.
#pragma once

bool Bench_OpenDisplay(bool gl);
