// The tool bar's pictures and the program's icon, drawn in code so the program
// needs no image files or icon theme to look complete.
#pragma once

#include <QIcon>

namespace torvel {

enum class ToolIconKind {
    NewData,
    Open,
    Tile,
    Graph,
    Scale,
    Save,
    Grid,
    Cascade,
    Calculator,
    Copy,
    Paste
};

QIcon ToolIcon(ToolIconKind kind);
// The program's icon: a small graph with points and a fitted curve.
QIcon ProgramIcon();
// The same picture at any size (the about box shows it large).
QPixmap ProgramPicture(int size);

} // namespace torvel
