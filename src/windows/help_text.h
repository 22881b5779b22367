#pragma once

#include <QList>
#include <QString>

namespace ruvo {

// Where this run of the program keeps its files.
struct HelpPlaces
{
    // The window sizes and states and the background colour.
    QString windowSettings;
    // The program's own settings: whether wide pages stand alone, whether books resume.
    QString readingSettings;
    // Where each book read last was left.
    QString readingPositions;
    // The record file naming the shelf folder in use.
    QString recordFile;
    // The shelf in use: its shelf file and its thumbnails.
    QString shelfFolder;
};

// One line of the help: what it is about (a key, a mouse action, a file) and what it says.
struct HelpEntry
{
    QString term;
    QString text;

    bool operator==(const HelpEntry&) const = default;
};

struct HelpSection
{
    QString heading;
    QList<HelpEntry> entries;
};

// The help window's texts. The keys are those of the key table, each action once with every
// key that does it, in the table's order.
namespace HelpText {
QString caption();
QList<HelpEntry> keyEntries();
QList<HelpSection> sections(const HelpPlaces& places);
// The sections as the window shows them: rich text in which every text stands as it is.
QString html(const QList<HelpSection>& sections);
} // namespace HelpText

} // namespace ruvo
