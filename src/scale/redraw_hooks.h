// How a dialog rule asks for the graph to be drawn again, without knowing the
// graph window. The ui passes DrawGraph-based callables; tests count the calls.
#pragma once

#include <functional>

namespace torvel {

struct RedrawHooks {
    // Redraws the graph when the graph window exists; nothing otherwise.
    std::function<void()> Draw;
    // Makes sure the graph window exists (EnsureGraphWindow), then draws.
    std::function<void()> EnsureAndDraw;

    void DrawIfShown() const {
        if (Draw) Draw();
    }
    // Falls back to Draw when no window-creating hook was given.
    void EnsureDraw() const {
        if (EnsureAndDraw)
            EnsureAndDraw();
        else if (Draw)
            Draw();
    }
};

} // namespace torvel
