// The data file (".prn"): a table of numbers whose first column is X and whose
// further columns are the Y values of new series; saving writes one series.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "core/number_text.h" // FileNumberText, ParseFileNumber: the files' number forms
#include "core/series.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace torvel {

// Rows times new series that one data file may bring in. Every row costs a
// record and three cell texts (about 160 bytes), so this keeps a file of
// nothing but line ends from taking all memory before a single value is read.
inline constexpr long long MaxDataFileCells = 25'000'000;

// The new series of a file being read: made with `rows` empty rows each, and
// removed again (NewSeriesRows as it was) unless the reader keeps them, so a
// failed read leaves the document as it was.
class PendingSeries {
  public:
    explicit PendingSeries(Document& doc) : doc_(doc), oldRows_(doc.NewSeriesRows) {}
    ~PendingSeries();
    PendingSeries(const PendingSeries&) = delete;
    PendingSeries& operator=(const PendingSeries&) = delete;

    // Throws std::bad_alloc when memory runs short.
    void Create(long long count, long long rows, Feedback& feedback);
    std::vector<Series*> Keep();

    std::vector<Series*> List;

  private:
    Document& doc_;
    int oldRows_;
};

// Told the fraction done (0..1) now and then while a file is read, so the
// window can show a progress dialog.
using ReadProgress = std::function<void(double fraction)>;

// Opens a data file: one new series per Y column (within the series limit,
// with the limit message), rows as in the file, captions with the file name,
// the grids filled. Returns the created series in ascending number order;
// empty when nothing was created. A file that cannot be read gives the
// "incompatible format" message and leaves the document as it was.
std::vector<Series*> ReadDataFile(Document& doc, const std::string& path, Feedback& feedback,
                                  const ReadProgress& progress = {});

// Saves one series (the grid first copied into the rows). FileName and the
// caption take the path once the file is safely written; on failure the old
// file is untouched and the reason is put in *error.
bool WriteDataFile(Series& series, const std::string& path, std::string* error = nullptr);
// The lines of the file for the series' rows, as written by WriteDataFile.
void WriteDataRows(const Series& series, std::ostream& out);

// The save dialog: given the preset name, the chosen path or nothing (cancel).
using SaveDialog = std::function<std::optional<std::string>(const std::string& presetName)>;
enum class SaveResult { Saved, Cancelled, Failed };
// The Save Data command: asks for a path (again after a refused overwrite
// question) and writes; a failed write is shown as an error message.
SaveResult SaveDataAs(Series& series, Feedback& feedback, const SaveDialog& dialog);
std::string OverwriteQuestion(const std::string& path);

} // namespace torvel
