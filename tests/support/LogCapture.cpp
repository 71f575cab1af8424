#include "tests/support/LogCapture.h"

namespace GAME::Test {

// Lines told as counts are counted from the capture's start, whatever came before.
LogCapture::LogCapture()
{
    gEngine->ForgetCounts();
    previous = gEngine->SetLogSink([this](int level, const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        lines.push_back({level, text});
    });
}

LogCapture::~LogCapture()
{
    gEngine->SetLogSink(std::move(previous));
}

size_t LogCapture::Count(int level, const std::string& text) const
{
    std::lock_guard<std::mutex> lock(mutex);
    size_t count = 0;
    for (const Line& line : lines)
        count += line.level == level && line.text == text ? 1 : 0;
    return count;
}

size_t LogCapture::CountContaining(const std::string& fragment) const
{
    std::lock_guard<std::mutex> lock(mutex);
    size_t count = 0;
    for (const Line& line : lines)
        count += line.text.find(fragment) != std::string::npos ? 1 : 0;
    return count;
}

} // namespace GAME::Test
