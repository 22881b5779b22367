#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <mutex>

namespace ruvo {

// The bytes that pages being unpacked may hold at once, shared by every reading of every
// archive: a reading takes what its page may grow to before it unpacks, waiting while
// others hold too much, and gives it back when done. One reading always goes ahead alone,
// so nothing waits for ever.
class UnpackBudget
{
public:
    explicit UnpackBudget(qint64 bytes) : m_bytes(bytes) {}

    // Holds bytes from the budget while it lives.
    class Share
    {
    public:
        Share(UnpackBudget& budget, qint64 bytes);
        ~Share();
        Share(const Share&) = delete;
        Share& operator=(const Share&) = delete;

    private:
        UnpackBudget& m_budget;
        const qint64 m_bytes;
    };

    qint64 held() const;
    // How many readings wait for their share.
    int waiting() const;

private:
    const qint64 m_bytes;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    qint64 m_held = 0;
    int m_waiting = 0;
};

} // namespace ruvo
