#pragma once

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {

using Lines = std::vector<LogCapture::Line>;

// Each summary logs its heading, then only the figures that are not zero.
class CostInfoDump : public ::testing::Test {
protected:
    template <class Info> Lines Dumped(const Info& info)
    {
        log.Clear();
        info.Dump();
        return log.GetLines();
    }

    LogCapture log;
};

} // namespace GAME::Test
