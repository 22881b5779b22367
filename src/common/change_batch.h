#pragma once

#include <functional>

namespace ruvo {

// Gathers the change notices of a window's logic so that one user event gives
// one notice: operations note their changes inside a scope, and the notice goes
// out when the outermost scope ends. A change noted outside any scope goes out
// at once. Before a message box or another window takes over, flush() shows the
// window as it stands so far.
class ChangeBatch
{
public:
    explicit ChangeBatch(std::function<void()> notify) : m_notify(std::move(notify)) {}

    void note();
    // Inside a scope: sends a notice now and keeps the scope open, so that what
    // is noted later still goes out when it ends. Operations note their changes
    // as they finish, so whatever the event has changed up to here counts, noted
    // or not. Outside a scope every change has gone out already.
    void flush();
    // Work that should wait until the window has been shown the changes: it runs right after
    // the notice of the outermost scope, or at once outside any scope. Asked for again in
    // the same scope, only the latest runs.
    void afterNotice(std::function<void()> work);

    class Scope
    {
    public:
        explicit Scope(ChangeBatch& batch) : m_batch(batch) { ++m_batch.m_depth; }
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ChangeBatch& m_batch;
    };

private:
    std::function<void()> m_notify;
    std::function<void()> m_afterNotice;
    int m_depth = 0;
    bool m_pending = false;
};

} // namespace ruvo
