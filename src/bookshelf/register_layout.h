#pragma once

#include "commands/control_names.h"

#include <QColor>
#include <QList>
#include <QString>

namespace ruvo {

// One control of the register window: where it stands in twips (inside its
// parent: the window, or the panel "Picture3") and what it shows at first.
struct RegisterControl
{
    QString name;
    QString parent;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString caption;
};

// The register window's fixed layout and colours.
namespace RegisterLayout {

inline constexpr int clientWidth = 5895;
inline constexpr int clientHeight = 5175;

// Every control, window first and panel after, in the order they are laid out.
const QList<RegisterControl>& controls();
// The control of that name; an unknown name has no place (all zero).
const RegisterControl& control(const QString& name);

QColor panelColor();
// The number of the book to be registered, and both it and the guidance once
// the shelf is full.
QColor countColor();
QColor limitColor();

} // namespace RegisterLayout

} // namespace ruvo
