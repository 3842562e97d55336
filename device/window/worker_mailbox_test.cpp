#include "device/window/worker_mailbox.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <future>
#include <string>

#include "device/link/testing/fake_clock.h"

namespace quorvane {
namespace {

// A mailbox on a clock the test moves, and what its updates did, in the order they ran.
struct MailboxRig {
    FakeClock clock;
    WorkerMailbox mailbox{clock};
    std::string ran;

    void post(const std::string& label, int kind) {
        mailbox.post([this, label] { ran += label; }, kind);
    }
    // Lets a delivery that the mailbox's own clock allows happen; a held one stays held,
    // however long the machine takes, because the mailbox's clock does not move meanwhile.
    bool deliveredAs(const std::string& expected) {
        QCoreApplication::processEvents();
        return QTest::qWaitFor([&] { return ran == expected; }, 5000);
    }
};

TEST(WorkerMailbox, UpdatesOfAKindReplaceTheirWaitingOneBackToTheLastOrdinaryUpdate) {
    struct Case {
        std::vector<std::pair<std::string, int>> posts;  // label, kind
        std::string ran;
    };
    const Case cases[] = {
        {{{"a", 0}, {"b", 0}, {"c", 0}}, "abc"},
        {{{"1", 1}, {"2", 1}, {"3", 1}}, "3"},
        {{{"1", 1}, {"x", 2}, {"2", 1}}, "2x"},
        {{{"1", 1}, {"a", 0}, {"2", 1}}, "1a2"},
        {{{"a", 0}, {"1", 1}, {"b", 0}, {"2", 1}, {"3", 1}}, "a1b3"},
    };
    for (const Case& c : cases) {
        MailboxRig rig;
        for (const auto& [label, kind] : c.posts) {
            rig.post(label, kind);
        }
        EXPECT_TRUE(rig.deliveredAs(c.ran)) << c.ran << " ran as " << rig.ran;
    }
}

TEST(WorkerMailbox, UpdatesOfAKindAloneComeAtMostTenTimesASecond) {
    struct Step {
        int64_t advanceMs;
        const char* label;  // nullptr: only time passes
        int kind;
        std::string ran;  // after the step
    };
    const Step steps[] = {
        {0, "1", 1, "1"},  // the first comes at once
        {99, "2", 1, "1"},     {0, "3", 1, "1"},
        {1, nullptr, 0, "13"},  // 100 ms after the last delivery, the newest of its kind
        {250, "4", 1, "134"},   // a quiet spell: at once
        {10, "a", 0, "134a"},   // an ordinary update is never held
        {99, "5", 1, "134a"},  {0, "b", 0, "134a5b"},  // takes the held one along, in order
    };
    MailboxRig rig;
    for (const Step& step : steps) {
        rig.clock.advanceMs(step.advanceMs);
        if (step.label != nullptr) {
            rig.post(step.label, step.kind);
        }
        EXPECT_TRUE(rig.deliveredAs(step.ran)) << step.ran << " ran as " << rig.ran;
    }
}

TEST(WorkerMailbox, ABoxComesAfterTheUpdatesBeforeItAndClosingAnswersItAsDismissed) {
    struct Case {
        const char* name;
        bool closeFirst, closeInTheBox;
        std::string ran;
        Button answer;
    };
    const Case cases[] = {
        {"answered", false, false, "ab", Button::Yes},
        {"asked after the close", true, false, "", Button::No},
        // The window goes while its box is up: the worker must not wait for the box.
        {"closed while the box is up", false, true, "ab", Button::No},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MailboxRig rig;
        if (c.closeFirst) {
            rig.mailbox.close();
        }
        std::future<Button> answer;
        const auto returned = [&] {
            return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        };
        answer = std::async(std::launch::async, [&] {
            rig.post("a", 0);
            return rig.mailbox.ask(
                [&] {
                    rig.ran += "b";
                    if (c.closeInTheBox) {
                        rig.mailbox.close();
                        EXPECT_EQ(answer.wait_for(std::chrono::seconds(10)),
                                  std::future_status::ready);
                    }
                    return Button::Yes;
                },
                BoxType::YesNoQuestion);
        });
        EXPECT_TRUE(QTest::qWaitFor(returned, 10000));
        QCoreApplication::processEvents();
        EXPECT_EQ(answer.get(), c.answer);
        EXPECT_EQ(rig.ran, c.ran);
    }
}

}  // namespace
}  // namespace quorvane
