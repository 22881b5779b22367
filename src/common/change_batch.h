#pragma once

#include <functional>

namespace ruvo {

// Gathers the change notices of a window's logic so that one user event gives
// one notice: operations note their changes inside a scope, and the notice goes
// out when the outermost scope ends. A change noted outside any scope goes out
// at once.
class ChangeBatch
{
public:
    explicit ChangeBatch(std::function<void()> notify) : m_notify(std::move(notify)) {}

    void note();

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
    int m_depth = 0;
    bool m_pending = false;
};

} // namespace ruvo
