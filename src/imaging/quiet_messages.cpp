#include "imaging/quiet_messages.h"

#include <QtGlobal>

namespace ruvo {

namespace {

// How many guards this thread holds.
thread_local int quietDepth = 0;
QtMessageHandler previousHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // A fatal message ends the program whatever it says; let it be heard.
    if (quietDepth > 0 && type != QtFatalMsg)
        return;
    // Qt hands back its own default handler when none was installed before.
    if (previousHandler)
        previousHandler(type, context, message);
}

// The filter goes in once, on first use, and stays: installing and removing a
// handler around each drawing would race with other threads doing the same.
void installFilter()
{
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(filterMessage);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

QuietMessages::QuietMessages()
{
    installFilter();
    ++quietDepth;
}

QuietMessages::~QuietMessages()
{
    --quietDepth;
}

} // namespace ruvo
