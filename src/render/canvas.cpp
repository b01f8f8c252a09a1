#include "render/canvas.h"

// The canvas is an interface; its implementations live in recording_canvas
// (tests) and ui/qt_canvas (screen, images, printer).
