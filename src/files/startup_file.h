// The start-up file (".fig": preferences, main window geometry and the last
// graph file) and the preferences file (".cfg"), both beside the program, or
// in the user's configuration folder when the program's folder is read-only.
#pragma once

#include "core/data_model.h"
#include "core/feedback.h"
#include "files/file_path.h"

#include <optional>
#include <string>

namespace torvel {

struct WindowGeometry {
    int Width = 0;
    int Height = 0;
    int Top = 0;
    int Left = 0;
    bool operator==(const WindowGeometry&) const = default;
};

struct StartupPaths {
    std::string Fig; // start-up file
    std::string Cfg; // preferences file
};

// Beside the program when its folder is writable; otherwise in
// xdgConfigHome/torvel-graphics (when set and absolute) or
// home/.config/torvel-graphics, which is created. The environment comes in as
// arguments so that tests can point it at temporary folders.
StartupPaths ChooseStartupPaths(const std::string& programPath, const std::string& xdgConfigHome,
                                const std::string& home);

// What the start-up file gives at start: the preferences are not taken from
// it (they keep their initial values), only the geometry and the last graph.
struct StartupFile {
    bool Found = false;                       // the file exists
    std::optional<WindowGeometry> Geometry;   // lines 5..8, when all four are whole numbers
    std::optional<std::string> GraphFileName; // line 9, when present and not empty
    std::string Error;                        // the file exists but could not be read
};
StartupFile ReadStartupFile(const std::string& figPath);

// The nine lines, CR LF each. Never blocks: a failure is returned in *error.
bool WriteStartupFile(const std::string& figPath, const Preferences& prefs,
                      const WindowGeometry& geometry, const std::string& graphFileName,
                      std::string* error = nullptr);
// Lines 1..4 alone: the preferences file, and the start-up file after
// ReloadPreferences.
bool WritePreferencesFile(const std::string& path, const Preferences& prefs,
                          std::string* error = nullptr);

// New Graph File and Clear All: takes the preferences from the start-up file
// (out-of-range values replaced by the defaults) and rewrites it with lines
// 1..4. A file that cannot be read or written shows the incompatible-format
// message and leaves the defaults. Returns false then.
bool ReloadPreferences(Preferences& prefs, const std::string& figPath, Feedback& feedback);

} // namespace torvel
