// The graph file (".gra"): every series with its rows and attributes, the
// graph settings, the constant K, two preferences and the floating titles,
// one value a line in a fixed order, lines ended by CR LF.
#pragma once

#include "core/document.h"
#include "core/feedback.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace torvel {

// Told the fraction (0..1) of a long load that is done.
using LoadProgress = std::function<void(double)>;

// The caption of the graph window for a graph file path.
std::string GraphCaptionFor(const std::string& graphFileName);

// The file's text for the document. Reads every grid into its rows first
// (GridToRows), and turns a MaxDataIndex of 0 into 10 in the document too.
std::string GraphFileText(Document& doc);

// Writes the file through WriteFileAtomically and then sets GraphFileName =
// path; a failure is shown as an error message and leaves any old file and
// GraphFileName untouched. Returns success. The caller redraws the graph.
bool WriteGraphFile(Document& doc, const std::string& path, Feedback& feedback);

// Replaces every series of the document by those of the file at path.
// Sets GraphLoadFailed when the file cannot be read (the caller clears it
// and skips its redraw). A file that cannot be opened at all changes
// nothing else. On success the series are in number order, fits are
// recomputed, and SuppressResizeDraw is set when any series was loaded (the
// caller makes sure the graph window exists, tiles the windows and redraws).
void ReadGraphFile(Document& doc, const std::string& path, Feedback& feedback,
                   const LoadProgress& progress = {});
// The same on text already in memory; path is used for GraphFileName and the
// message.
void ReadGraphText(Document& doc, const std::string& path, std::string_view text,
                   Feedback& feedback, const LoadProgress& progress = {});

// The save dialog: given the preset file name (without extension), the
// default extension and the filter name, returns the chosen path, or nothing
// when the user cancels.
struct SaveDialogRequest {
    std::string FileName;
    std::string DefaultExtension;
    std::string Filter;
};
using SaveDialogFn = std::function<std::optional<std::string>(const SaveDialogRequest&)>;

// Save Graph As: shows the dialog until the user cancels or a path is chosen
// that may be written (new, the current graph file, or overwriting agreed
// to); writes it. Returns true when the file was written.
bool SaveGraphAs(Document& doc, Feedback& feedback, const SaveDialogFn& dialog);

} // namespace torvel
