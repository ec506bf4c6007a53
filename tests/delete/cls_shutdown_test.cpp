#include "delete/cls_shutdown.h"

#include <gtest/gtest.h>

#include "deletion_fixture.h"

namespace korvane {
namespace {

using Step = SecuritySystem::PrivilegeStep;

class Restart : public testing::DeletionFixture {
protected:
    void RestartOn(std::int16_t os) {
        state.OsVersion = os;
        RestartSystem(Context(), [this] { ++closed; });
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const MessageRequest& m : ui.messages) {
            EXPECT_EQ(m.title, "Korvane");
            EXPECT_EQ(m.icon, MessageIcon::Warning);
            texts.push_back(m.text);
        }
        return texts;
    }
};

TEST_F(Restart, ModeAndMethodByFamily) {
    struct Case {
        std::int16_t os;
        std::vector<std::uint32_t> requests;
        std::vector<bool> privilege;
    };
    const Case cases[] = {
        {7, {6}, {true, false}},
        {9, {6}, {true, false}},
        {5, {2}, {true, false}},
        {2, {2}, {}},
        {0, {}, {}},
        {-1, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.os);
        system.restartRequests.clear();
        system.privilegeCalls.clear();
        closed = 0;
        RestartOn(c.os);
        EXPECT_EQ(system.restartRequests, c.requests);
        EXPECT_EQ(system.privilegeCalls, c.privilege);
        EXPECT_EQ(closed, 1);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(Restart, PrivilegeFailuresStopBeforeTheRequest) {
    const std::pair<Step, const char*> cases[] = {{Step::OpenTokenFailed, kNoTokenMessage},
                                                  {Step::LookupFailed, kNoLuidMessage},
                                                  {Step::AdjustFailed, kPrivilegeNotChangedMessage}};
    for (const auto& [step, text] : cases) {
        ui.messages.clear();
        system.restartRequests.clear();
        closed = 0;
        system.enablePrivilege = step;
        RestartOn(7);
        EXPECT_TRUE(system.restartRequests.empty());
        EXPECT_EQ(Texts(), (std::vector<std::string>{text, kPrivilegeNotEnabledMessage}));
        EXPECT_EQ(closed, 1);
    }
}

TEST_F(Restart, RefusedRequestAndFailedDisablingAreReported) {
    system.restartAccepted = false;
    RestartOn(2);
    EXPECT_EQ(Texts(), (std::vector<std::string>{kShutdownFailedMessage}));
    ui.messages.clear();
    system.restartAccepted = true;
    system.disablePrivilege = Step::AdjustFailed;
    RestartOn(7);
    EXPECT_EQ(system.restartRequests.back(), 6u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{kPrivilegeNotChangedMessage}));
    EXPECT_EQ(std::string(kShutdownFailedMessage),
              "Das System kann aufgrund eines Fehlers nicht heruntergefahren werden.");
}

}  // namespace
}  // namespace korvane
