#include "platform/flushing_platform.h"

#include "common/change_batch.h"

namespace ruvo {

FlushingPlatform::FlushingPlatform(const Platform& platform, ChangeBatch& changes)
    : m_messages(platform.messages, changes),
      m_windows(platform.modal, changes), m_platform{m_messages,        m_windows,        platform.files,
                                                     platform.settings, platform.process, platform.random,
                                                     platform.shell,    platform.books,   platform.pictures,
                                                     platform.pages,    platform.delays,  platform.pointer}
{
}

MessageAnswer FlushingPlatform::Messages::show(const QString& title, const QString& text,
                                               MessageButtons buttons)
{
    m_changes.flush();
    return m_messages.show(title, text, buttons);
}

void FlushingPlatform::Windows::showModal(const QString& windowName)
{
    m_changes.flush();
    m_windows.showModal(windowName);
}

void FlushingPlatform::Windows::showModeless(const QString& windowName)
{
    m_changes.flush();
    m_windows.showModeless(windowName);
}

} // namespace ruvo
