#include "files/startup_file.h"

#include "core/number_text.h"
#include "files/atomic_file.h"
#include "files/line_ends.h"
#include "files/utf8_bom.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <locale>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace torvel {

namespace {

constexpr const char* ConfigFolderName = "torvel-graphics";
// The files are a few lines long; anything bigger is not ours.
constexpr std::size_t MaxLines = 16;
constexpr std::size_t MaxLineLength = 4096;

// Creates the folder and its missing parents.
bool MakeFolders(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = FolderOf(folder);
    if (parent != folder && parent != "." && !MakeFolders(parent)) return false;
    return ::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

// The first lines of a small text file, line ends (LF, CR LF or CR) removed.
// False when the file cannot be opened or read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    // Nine short lines are ours; what lies beyond this much is not read at all.
    std::string text(MaxLines * (MaxLineLength + 2), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return false;
    text.resize(static_cast<std::size_t>(in.gcount()));
    std::string_view rest = WithoutUtf8Bom(text);
    for (std::size_t pos = 0; pos < rest.size() && lines.size() < MaxLines;) {
        std::size_t next = 0;
        const std::size_t end = LineEndFrom(rest, pos, next);
        lines.emplace_back(rest.substr(pos, std::min(end - pos, MaxLineLength)));
        pos = next;
    }
    return true;
}

bool ReadInt(const std::string& text, int& value) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    const IntegerRead read = TextToInteger(std::string_view(text).substr(b, e - b));
    if (!read.Ok()) return false;
    value = read.Value;
    return true;
}

void WritePreferenceLines(std::ostream& out, const Preferences& prefs) {
    out.imbue(std::locale::classic()); // no digit grouping, whatever the user's locale
    out << prefs.MaxDataIndex << "\r\n"
        << prefs.BarWidth << "\r\n"
        << prefs.FigReserved << "\r\n"
        << prefs.PrinterOptions << "\r\n";
}

} // namespace

StartupPaths ChooseStartupPaths(const std::string& programPath, const std::string& xdgConfigHome,
                                const std::string& home) {
    const std::string beside = FolderOf(programPath);
    if (::access(beside.c_str(), W_OK) == 0)
        return {ChangeExtension(programPath, ".fig"), ChangeExtension(programPath, ".cfg")};

    std::string base;
    if (!xdgConfigHome.empty() && xdgConfigHome[0] == '/')
        base = xdgConfigHome;
    else if (!home.empty())
        base = home + "/.config";
    if (base.empty()) // nowhere better: the writes will fail and say so
        return {ChangeExtension(programPath, ".fig"), ChangeExtension(programPath, ".cfg")};
    const std::string folder = base + "/" + ConfigFolderName;
    MakeFolders(folder);
    const std::string name = folder + "/" + FileNameOf(programPath);
    return {ChangeExtension(name, ".fig"), ChangeExtension(name, ".cfg")};
}

StartupFile ReadStartupFile(const std::string& figPath) {
    StartupFile result;
    struct stat st {};
    if (::stat(figPath.c_str(), &st) != 0) return result;
    result.Found = true;
    std::vector<std::string> lines;
    if (!ReadLines(figPath, lines)) {
        result.Error = IncompatibleFormatText(figPath);
        return result;
    }
    // Lines 1..4 are passed over: the preferences keep their initial values.
    if (lines.size() >= 8) {
        WindowGeometry g;
        if (ReadInt(lines[4], g.Width) && ReadInt(lines[5], g.Height) && ReadInt(lines[6], g.Top) &&
            ReadInt(lines[7], g.Left) && g.Width > 0 && g.Height > 0)
            result.Geometry = g;
    }
    if (lines.size() >= 9 && !lines[8].empty()) result.GraphFileName = lines[8];
    return result;
}

bool WriteStartupFile(const std::string& figPath, const Preferences& prefs,
                      const WindowGeometry& geometry, const std::string& graphFileName,
                      std::string* error) {
    return WriteFileAtomically(
        figPath,
        [&](std::ostream& out) {
            WritePreferenceLines(out, prefs);
            out << geometry.Width << "\r\n"
                << geometry.Height << "\r\n"
                << geometry.Top << "\r\n"
                << geometry.Left << "\r\n"
                << graphFileName << "\r\n";
            return static_cast<bool>(out);
        },
        error);
}

bool WritePreferencesFile(const std::string& path, const Preferences& prefs, std::string* error) {
    return WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            WritePreferenceLines(out, prefs);
            return static_cast<bool>(out);
        },
        error);
}

bool ReloadPreferences(Preferences& prefs, const std::string& figPath, Feedback& feedback) {
    prefs.FigReserved = 0;
    struct stat st {};
    if (::stat(figPath.c_str(), &st) != 0) return true;

    auto fail = [&] {
        feedback.Message(MessageKind::Error, IncompatibleFormatText(figPath), MessageButtons::Ok);
        prefs = Preferences{};
        return false;
    };
    std::vector<std::string> lines;
    if (!ReadLines(figPath, lines) || lines.size() < 3) return fail();
    Preferences read;
    if (!ReadInt(lines[0], read.MaxDataIndex) || !ReadInt(lines[1], read.BarWidth) ||
        !ReadInt(lines[2], read.FigReserved))
        return fail();
    if (read.MaxDataIndex < 1 || read.MaxDataIndex > MaxDataIndexLimit) read.MaxDataIndex = 10;
    if (read.BarWidth < 1 || read.BarWidth > BarWidthLimit) read.BarWidth = 1;
    read.PrinterOptions = 0;
    if (lines.size() >= 4 && !ReadInt(lines[3], read.PrinterOptions)) return fail();
    // Only 0..7 name a grid colour and font; anything else would pick no item.
    if (read.PrinterOptions < 0 || read.PrinterOptions > 7) read.PrinterOptions = 0;
    prefs = read;
    if (!WritePreferencesFile(figPath, prefs)) return fail();
    return true;
}

} // namespace torvel
