#include "characters/CharacterActionHandler.h"
#include "engine/Name.h"

namespace GAME::Test {
namespace {

// Writes what happens to it into a shared log; its `Execute` runs whatever the test gives it.
class LoggedAction : public CharacterAction {
public:
    LoggedAction(std::string name, std::vector<std::string>& log,
                 std::function<void()> onExecute = {})
        : name(std::move(name)), log(log), onExecute(std::move(onExecute))
    {}
    ~LoggedAction() override { log.push_back(name + " destroyed"); }

    void Execute() override
    {
        log.push_back(name + " execute");
        if (onExecute)
            onExecute();
        // Reads the action's own members after the handler had its chance to delete it.
        log.push_back(name + " returns");
    }
    void Finish() override { log.push_back(name + " finish"); }
    void AnimationCallback(const Name& /*event*/) override
    {
        log.push_back(name + " event");
        if (onExecute)
            onExecute();
        log.push_back(name + " event returns");
    }
    bool IsActive() const override { return true; }
    float GetBlendTime() const override { return 250.0f; }
    CharacterActionType GetType() const override { return CharacterActionType_Walk; }
    std::string ToString() const override { return name; }

private:
    std::string name;
    std::vector<std::string>& log;
    std::function<void()> onExecute;
};

class CharacterActionHandlerTest : public ::testing::Test {
protected:
    std::unique_ptr<LoggedAction> Make(const std::string& name,
                                       std::function<void()> onExecute = {})
    {
        return std::make_unique<LoggedAction>(name, log, std::move(onExecute));
    }

    // Declared first so that it outlives the handler, whose actions log as they go.
    std::vector<std::string> log;
    CharacterActionHandler handler;
};

TEST_F(CharacterActionHandlerTest, WithoutAnActionEverythingAnswersNothing)
{
    handler.Execute(nullptr);
    handler.Stop();
    EXPECT_EQ(handler.GetActionType(), CharacterActionType_None);
    EXPECT_EQ(handler.GetBlendTime(), 0.0f);
    EXPECT_FALSE(handler.IsActive());
    EXPECT_EQ(handler.GetActionAsString(), "Current Action: (no text)");
    EXPECT_TRUE(log.empty());
}

TEST_F(CharacterActionHandlerTest, ANewActionFinishesAndDestroysTheOldOneFirst)
{
    handler.Execute(Make("A"));
    handler.Execute(Make("B"));
    EXPECT_EQ(log, (std::vector<std::string>{"A execute", "A returns", "A finish", "A destroyed",
                                             "B execute", "B returns"}));
    EXPECT_EQ(handler.GetActionAsString(), "Current Action: B");
    EXPECT_EQ(handler.GetActionType(), CharacterActionType_Walk);
    EXPECT_EQ(handler.GetBlendTime(), 250.0f);
}

TEST_F(CharacterActionHandlerTest, ActionsHandedInDuringAnExecuteRunAfterItInOrder)
{
    handler.Execute(Make("A", [this] {
        handler.Execute(Make("B"));
        handler.Execute(Make("C"));
    }));
    EXPECT_EQ(log, (std::vector<std::string>{"A execute", "A returns", "A finish", "A destroyed",
                                             "B execute", "B returns", "B finish", "B destroyed",
                                             "C execute", "C returns"}));
    EXPECT_EQ(handler.GetActionAsString(), "Current Action: C");
}

// A move that fails inside its own `Execute` stops the character, and with it the handler.
TEST_F(CharacterActionHandlerTest, StopInsideExecuteFinishesTheActionAndDeletesItAfterwards)
{
    handler.Execute(Make("A", [this] {
        handler.Stop();
        handler.Stop();
        handler.Execute(Make("B"));
    }));
    EXPECT_EQ(log, (std::vector<std::string>{"A execute", "A finish", "A returns", "A destroyed",
                                             "B execute", "B returns"}));
    EXPECT_EQ(handler.GetActionAsString(), "Current Action: B");

    log.clear();
    handler.Execute(Make("C", [this] { handler.Stop(); }));
    EXPECT_EQ(log, (std::vector<std::string>{"B finish", "B destroyed", "C execute", "C finish",
                                             "C returns", "C destroyed"}));
    EXPECT_EQ(handler.GetActionType(), CharacterActionType_None);
    EXPECT_FALSE(handler.IsActive());
}

// A death handler stopping the character, or a controller handing it a new action, from inside
// an animation event of the running action.
TEST_F(CharacterActionHandlerTest, AnActionStoppedOrReplacedByItsOwnEventOutlivesTheEvent)
{
    bool running = false;
    handler.Execute(Make("A", [&] {
        if (running)
            handler.Stop();
    }));
    running = true;
    log.clear();
    handler.AnimationCallback(Name::Create("End"));
    EXPECT_EQ(log,
              (std::vector<std::string>{"A event", "A finish", "A event returns", "A destroyed"}));

    running = false;
    handler.Execute(Make("B", [&] {
        if (running)
            handler.Execute(Make("C"));
    }));
    running = true;
    log.clear();
    handler.AnimationCallback(Name::Create("End"));
    EXPECT_EQ(log, (std::vector<std::string>{"B event", "B finish", "C execute", "C returns",
                                             "B event returns", "B destroyed"}));
    EXPECT_EQ(handler.GetActionAsString(), "Current Action: C");
}

} // namespace
} // namespace GAME::Test
