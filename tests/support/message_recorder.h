// MessageRecorder: the sequence of messages, notifications and calls that
// the windows and objects under test saw, recorded from any thread in the
// order they happened, for comparison with the expected sequence.
//
//   testsupport::MessageRecorder log;
//   log.Add("1:set");                  // in a handler, on whichever thread
//   EXPECT_EQ(expected, log.Take());   // std::vector<std::string>
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

class MessageRecorder {
public:
    void Add(const std::string& event);
    // The events recorded so far, oldest first; the recorder starts empty
    // again.
    std::vector<std::string> Take();

private:
    std::mutex m_mutex;
    std::vector<std::string> m_events;
};

} // namespace testsupport
