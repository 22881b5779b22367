#pragma once

#include "platform/message_box_service.h"
#include "platform/modal_window_service.h"
#include "platform/platform.h"

namespace ruvo {

class ChangeBatch;

// A window logic's platform whose message boxes and windows first bring the
// window on screen up to date (ChangeBatch::flush), so that what an event has
// changed so far is seen while the box or the other window waits.
class FlushingPlatform
{
public:
    FlushingPlatform(const Platform& platform, ChangeBatch& changes);
    FlushingPlatform(const FlushingPlatform&) = delete;
    FlushingPlatform& operator=(const FlushingPlatform&) = delete;

    const Platform& platform() const { return m_platform; }

private:
    class Messages : public MessageBoxService
    {
    public:
        Messages(MessageBoxService& messages, ChangeBatch& changes) : m_messages(messages), m_changes(changes)
        {
        }
        MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons) override;

    private:
        MessageBoxService& m_messages;
        ChangeBatch& m_changes;
    };

    class Windows : public ModalWindowService
    {
    public:
        Windows(ModalWindowService& windows, ChangeBatch& changes) : m_windows(windows), m_changes(changes) {}
        void showModal(const QString& windowName) override;
        void showModeless(const QString& windowName) override;

    private:
        ModalWindowService& m_windows;
        ChangeBatch& m_changes;
    };

    Messages m_messages;
    Windows m_windows;
    Platform m_platform;
};

} // namespace ruvo
