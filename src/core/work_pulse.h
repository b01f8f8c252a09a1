// Long work on the window's thread keeps the windows painted. The window
// installs, for as long as the work lasts, what paints them; the work calls
// Pulse() at points where what the windows show is whole, and EachPart's
// caller pulses while its parts run. Pulse() does nothing on other threads,
// without a scope, or less than PulseMs after the last time.
#pragma once

#include <functional>
#include <vector>

namespace torvel {

void Pulse();

class PulseScope {
  public:
    explicit PulseScope(std::function<void()> keepPainted);
    ~PulseScope();
    PulseScope(const PulseScope&) = delete;
    PulseScope& operator=(const PulseScope&) = delete;

    // Long work is under way on this thread.
    static bool Active();
    // The windows are being painted from within long work: whatever asks for
    // more work from there (a redraw, a recovery copy) waits.
    static bool Pumping();
    // fn runs when the outermost scope ends; at once without a scope.
    static void WhenDone(std::function<void()> fn);
    // Runs keepPainted as Pulse() does, whatever the time: for progress
    // reports, which paint the windows themselves.
    static void PaintNow(const std::function<void()>& keepPainted);

  private:
    friend void Pulse();
    std::function<void()> keepPainted_;
    PulseScope* outer_;
    std::vector<std::function<void()>> whenDone_;
};

constexpr int PulseMs = 40;

} // namespace torvel
