#pragma once

#include <QString>
#include <array>

namespace ruvo {

// The main window's status bar: three text panels addressed from 1, and a notice of the
// program's own after them (where a book resumed, the next volume at the end of one).
struct StatusBarState
{
    bool visible = true;
    std::array<QString, 3> panels;
    QString notice;

    QString& panel(int number) { return panels.at(std::size_t(number - 1)); }
    const QString& panel(int number) const { return panels.at(std::size_t(number - 1)); }
};

} // namespace ruvo
