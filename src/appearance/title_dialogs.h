// The rules of the three title dialogs: main titles (TitTop1..3), X axis
// titles (TitX1..3) and the left and right Y axis titles (TitY1, TitY2).
#pragma once

#include "core/document.h"

#include <string>
#include <vector>

namespace torvel {

enum class TitleDialogKind { Main, XAxis, YAxis };

// The edit boxes, first to last, as the dialog shows them.
struct TitleDialogState {
    std::vector<std::string> Boxes;
};

class TitleDialogRules {
  public:
    TitleDialogRules(Document& doc, TitleDialogKind kind);

    // The boxes' names (TitTop1 ...) and their groups' captions, in order.
    const std::vector<std::string>& BoxNames() const { return names_; }
    const std::vector<std::string>& GroupCaptions() const { return captions_; }
    // "Main Title  Dialog" ...
    const std::string& Caption() const { return caption_; }
    static constexpr int HelpContext = 900;

    TitleDialogState State;

    // Fills the boxes from the settings; the first box takes the focus.
    void Show();
    // Every box into its title as typed; an empty box makes an empty title.
    void OK();

  private:
    std::string* Title(std::size_t i);

    Document& doc_;
    TitleDialogKind kind_;
    std::vector<std::string> names_;
    std::vector<std::string> captions_;
    std::string caption_;
};

} // namespace torvel
