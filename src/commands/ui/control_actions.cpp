#include "commands/ui/control_actions.h"

#include "common/twips.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolBar>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

constexpr char mirroredProperty[] = "ruvoMirrored";

// The icon turned over left for right, at the sizes a toolbar draws it.
QIcon turnedOver(const QIcon& icon)
{
    QIcon turned;
    for (const int side : {16, 24, 32, 48, 64}) {
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QImage image = icon.pixmap(QSize(side, side), mode).toImage();
            turned.addPixmap(QPixmap::fromImage(image.mirrored(true, false)), mode);
        }
    }
    return turned;
}

} // namespace

void applyState(QAction& action, const ToolbarButtonState& state)
{
    if (action.property(mirroredProperty).toBool() != state.mirrored) {
        action.setIcon(turnedOver(action.icon()));
        action.setProperty(mirroredProperty, state.mirrored);
    }
    action.setEnabled(state.enabled);
    action.setVisible(state.visible);
    if (action.isCheckable())
        action.setChecked(state.pressed);
}

void applyState(QAction& action, const MenuItemState& item)
{
    action.setEnabled(item.enabled);
    action.setVisible(item.visible);
    if (action.isCheckable())
        action.setChecked(item.checked);
}

AddedToolbarRow addToolbarRow(QToolBar& toolbar, const ToolbarButton& spec)
{
    AddedToolbarRow added;
    switch (spec.kind) {
    case ToolbarButtonKind::Separator:
        toolbar.addSeparator();
        break;
    case ToolbarButtonKind::Placeholder:
    case ToolbarButtonKind::SliderPlaceholder:
        added.gap = new QWidget(&toolbar);
        added.gap->setFixedWidth(toPixels(spec.placeholderWidth));
        toolbar.addWidget(added.gap);
        break;
    case ToolbarButtonKind::Push:
    case ToolbarButtonKind::Check:
        added.action = toolbar.addAction(QIcon(u":/icons/"_s + spec.key + u".svg"_s), spec.tooltip);
        added.action->setObjectName(spec.key);
        added.action->setToolTip(spec.tooltip);
        added.action->setCheckable(spec.kind == ToolbarButtonKind::Check);
        break;
    }
    return added;
}

} // namespace ruvo
