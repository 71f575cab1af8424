// The state machine of the thinking controllers, per frame: 1,000 controllers with two states
// and one temporary; one in ten switches state and one in twenty queues its temporary, which
// reports done and hands back in the next frame. Budget: 300 us.
#include "ai/ControllerAI.h"
#include "ai/ControllerAIStateT.h"
#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr int kControllers = 1000;
constexpr int32_t kFrameMs = 33;

class BenchState : public ControllerAIStateT<ControllerAI, Character> {
public:
    explicit BenchState(ControllerAI* controller, bool temporary)
        : ControllerAIStateT(controller), temporary(temporary)
    {}
    void OnBegin() override { ++begins; }
    void OnEnd() override {}
    void OnUpdate(int32_t elapsedMs) override
    {
        elapsed += elapsedMs;
        if (temporary)
            SetDone(true);
    }

    int64_t begins = 0;
    int64_t elapsed = 0;

private:
    bool temporary;
};

class BenchController : public ControllerAI {
protected:
    void RegisterStates() override
    {
        AddState("Idle", new BenchState(this, false));
        AddState("Chase", new BenchState(this, false));
    }
    void RegisterTemporaryStates() override
    {
        ControllerAI::AddTemporaryState("Hit", new BenchState(this, true));
    }
    void InitializeStates() override { SetState("Idle", ControllerAIStateData()); }
};

void BM_StateMachineFrame(benchmark::State& state)
{
    const Engine::LogSink previous = gEngine->SetLogSink([](int, const std::string&) {});
    std::vector<std::unique_ptr<BenchController>> controllers;
    for (int i = 0; i < kControllers; ++i) {
        controllers.push_back(std::make_unique<BenchController>());
        controllers.back()->Update(0);
    }
    const ControllerAIStateData data(1, 2, 0, WorldVec3());
    const std::string names[2] = {"Idle", "Chase"};
    int64_t frame = 0;
    for (auto _ : state) {
        for (int i = 0; i < kControllers; ++i) {
            BenchController& controller = *controllers[static_cast<size_t>(i)];
            if ((i + frame) % 10 == 0)
                controller.SetState(names[(frame / 10) % 2], data);
            if ((i + frame) % 20 == 0)
                controller.AddTemporaryState("Hit", data);
            controller.Update(kFrameMs);
        }
        ++frame;
    }
    benchmark::DoNotOptimize(controllers.front()->GetExecutingState());
    controllers.clear();
    ObjectManager::Instance().DestroyAllObjects();
    gEngine->SetLogSink(previous);
}
BENCHMARK(BM_StateMachineFrame)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
