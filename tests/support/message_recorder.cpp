#include "message_recorder.h"

namespace testsupport {

void MessageRecorder::Add(const std::string& event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back(event);
}

std::vector<std::string> MessageRecorder::Take()
{
    std::vector<std::string> events;
    std::lock_guard<std::mutex> lock(m_mutex);
    events.swap(m_events);
    return events;
}

} // namespace testsupport
