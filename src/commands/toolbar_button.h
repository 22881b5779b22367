#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <cstddef>

namespace ruvo {

enum class ToolbarButtonKind
{
    Separator,
    Placeholder,       // an empty gap of a fixed width
    SliderPlaceholder, // a gap of a fixed width that holds the scroll-speed slider
    Push,
    Check,
};

// One row of a toolbar's table. A button's 1-based index is its place in the
// table, so a row is inserted by adding it; the named indices follow.
struct ToolbarRow
{
    QLatin1StringView key; // empty for separators and placeholders
    QStringView tooltip;
    ToolbarButtonKind kind = ToolbarButtonKind::Separator;
    int placeholderWidth = 0; // twips, placeholders only
    bool startsEnabled = true;
    bool startsVisible = true;
};

// The 1-based index of the row with this key, or 0. Usable at compile time,
// where a missing key stops the build.
template <std::size_t N>
constexpr int toolbarRowIndex(const std::array<ToolbarRow, N>& rows, QLatin1StringView key)
{
    for (std::size_t i = 0; i < N; ++i) {
        const QLatin1StringView candidate = rows[i].key;
        if (candidate.size() != key.size() || key.isEmpty())
            continue;
        bool same = true;
        for (qsizetype c = 0; c < key.size() && same; ++c)
            same = candidate.data()[c] == key.data()[c];
        if (same)
            return int(i + 1);
    }
    return 0;
}

// One button of a toolbar as the windows use it.
struct ToolbarButton
{
    int index = 0; // 1-based
    QString key;   // empty for separators and placeholders
    QString tooltip;
    ToolbarButtonKind kind = ToolbarButtonKind::Separator;
    int placeholderWidth = 0; // twips, placeholders only
    bool startsEnabled = true;
    bool startsVisible = true;

    bool isButton() const { return kind == ToolbarButtonKind::Push || kind == ToolbarButtonKind::Check; }
};

template <std::size_t N> QList<ToolbarButton> toolbarButtonsOf(const std::array<ToolbarRow, N>& rows)
{
    QList<ToolbarButton> buttons;
    for (std::size_t i = 0; i < N; ++i) {
        const ToolbarRow& row = rows[i];
        buttons.append({int(i + 1), QString(row.key), row.tooltip.toString(), row.kind, row.placeholderWidth,
                        row.startsEnabled, row.startsVisible});
    }
    return buttons;
}

} // namespace ruvo
