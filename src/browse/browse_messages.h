#pragma once

#include "session/user_messages.h"

namespace ruvo {

// The messages of the folder windows: choosing a drive, and choosing or
// creating a shelf folder.
namespace BrowseMessages {

// A drive whose medium cannot be read.
UserMessage noMedium();
// The chosen folder holds no shelf: asks whether to start one there.
UserMessage askNewShelf(const QString& folder);
// The shelf file or the record file could not be written for this folder.
UserMessage shelfWriteFailed(const QString& folder);
// A new folder could not be made.
UserMessage folderCreateFailed();

} // namespace BrowseMessages

} // namespace ruvo
