#pragma once

#include "print/PrintU.h"

#include <functional>

// Cancels a run after some labels, as the progress window's button or Ctrl-C does; or does
// something else to the run at that point.
class TStopAfter : public TPrintProgress {
public:
    TStopAfter(int32_t labels, std::function<void()> at = {}) : m_labels(labels), m_at(at) {}
    void Start(const QString&, const QString&) override {}
    void Page(int32_t) override {}
    void Labels(int32_t labels) override {
        if (labels == m_labels && m_at)
            m_at();
        m_reached = labels >= m_labels;
    }
    bool Cancelled() override { return !m_at && m_reached; }
    void Close() override {}

private:
    int32_t m_labels;
    std::function<void()> m_at;
    bool m_reached = false;
};
