#include "appearance/title_dialogs.h"

namespace torvel {

TitleDialogRules::TitleDialogRules(Document& doc, TitleDialogKind kind) : doc_(doc), kind_(kind) {
    switch (kind) {
    case TitleDialogKind::Main:
        names_ = {"TitTop1", "TitTop2", "TitTop3"};
        captions_ = {"First Main Title", "Second Main Title", "Third Main Title"};
        caption_ = "Main Title  Dialog";
        break;
    case TitleDialogKind::XAxis:
        names_ = {"TitX1", "TitX2", "TitX3"};
        captions_ = {"First  Line X Title", "Second Line X Title", "Third Line X Title"};
        caption_ = "X Axis Title  Dialog";
        break;
    case TitleDialogKind::YAxis:
        names_ = {"TitY1", "TitY2"};
        captions_ = {"Left  Y Title", "Right Y Title"};
        caption_ = "Y Axis Title  Dialog";
        break;
    }
    State.Boxes.resize(names_.size());
}

std::string* TitleDialogRules::Title(std::size_t i) {
    GraphSettings& s = doc_.Settings;
    switch (kind_) {
    case TitleDialogKind::Main:
        return &s.MainTitles[i];
    case TitleDialogKind::XAxis:
        return &s.XTitles[i];
    case TitleDialogKind::YAxis:
        return &s.YTitles[i];
    }
    return nullptr;
}

void TitleDialogRules::Show() {
    State.Boxes.resize(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i)
        State.Boxes[i] = *Title(i);
}

void TitleDialogRules::OK() {
    for (std::size_t i = 0; i < names_.size() && i < State.Boxes.size(); ++i)
        *Title(i) = State.Boxes[i];
}

} // namespace torvel
