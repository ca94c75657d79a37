#pragma once
// Tests of the calls that change the BIOS: a service stand-in serves the
// program's own system-control pipe (the library calls no other) for each
// test, so every request it logs is the case's.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LibraryCaller.h"
#include "ServiceStandIn.h"

namespace ocapitest {

constexpr char kNotifyChangeRequest[] = "request words=0x80000000,0x00000000,0x00000000,0x00000000 bytes=16";

class ZxOcLibChange : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_service.Start()); }

    std::vector<std::string> Requests() const { return m_service.Requests(); }

private:
    zxtest::ServiceStandIn m_service{zxtest::ServiceStandIn::Pipe::Programs};
};

inline void ExpectOneChangeBroadcast(const CallerRun& run)
{
    EXPECT_EQ(run.Broadcasts(), 1) << run.process.output;
    EXPECT_EQ(run.Line("broadcast "), "broadcast wParam=0x2355 lParam=0x0");
}

}  // namespace ocapitest
