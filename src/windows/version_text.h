#pragma once

#include <QString>

namespace ruvo {

// The texts of the version window.
namespace VersionText {
QString caption();
QString nameAndVersion();
QString notice();
QString pageHeading();
// The address of the README installed with the program (a file:// address), as the program
// in programFolder finds it: nothing when none was installed with it, as in a build folder.
QString readmeAddress(const QString& programFolder);
// Said when the desktop cannot open the address.
QString cannotOpen(const QString& address);
} // namespace VersionText

} // namespace ruvo
