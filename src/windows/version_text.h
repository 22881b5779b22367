#pragma once

#include <QString>

namespace ruvo {

// The texts of the version window.
namespace VersionText {
QString caption();
QString nameAndVersion();
QString notice();
QString pageHeading();
QString pageAddress();
} // namespace VersionText

} // namespace ruvo
