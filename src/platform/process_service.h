#pragma once

#include <QString>

namespace ruvo {

class ProcessService
{
public:
    virtual ~ProcessService() = default;
    // The arguments after the program name as one plain path.
    virtual QString commandLine() const = 0;
    // The folder the program keeps its record file in, without a trailing separator
    // (so "" for the file-system root).
    virtual QString programFolder() const = 0;
    // The folder the program keeps what it learns of the user's reading in, made on the first
    // write: "Dudado/Ruvo" in the user's state folder.
    virtual QString stateFolder() const = 0;
    // The folder the program was started in.
    virtual QString currentFolder() const = 0;
    // Ends the process once the current event has finished.
    virtual void exit() = 0;
};

} // namespace ruvo
