#include "items/CursorHandlerHotSlotOption.h"

#include "engine/GraphicsCanvas.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsTexture.h"
#include "engine/ObjectManager.h"
#include "items/HotSlotOption.h"
#include "skills/Skill.h"

namespace GAME {

CursorHandlerHotSlotOption::CursorHandlerHotSlotOption() = default;

CursorHandlerHotSlotOption::~CursorHandlerHotSlotOption()
{
    SetOption(nullptr);
}

void CursorHandlerHotSlotOption::SetOption(std::unique_ptr<HotSlotOption> value)
{
    option = std::move(value);
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    graphics.UnloadTexture(bitmap);
    bitmap = option != nullptr ? graphics.LoadTexture(option->GetBitmapNameUp()) : nullptr;
}

void CursorHandlerHotSlotOption::SetId(uint32_t skillId)
{
    if (ObjectManager::Instance().GetObject<Skill>(skillId) == nullptr)
        return;
    auto skill = std::make_unique<HotSlotOptionSkill>(skillId);
    skill->SetPlayer(GetPlayer());
    SetOption(std::move(skill));
}

bool CursorHandlerHotSlotOption::ActivateWorld()
{
    SetOption(nullptr);
    return true;
}

bool CursorHandlerHotSlotOption::Cancel()
{
    SetOption(nullptr);
    return true;
}

void CursorHandlerHotSlotOption::Render(GraphicsCanvas& canvas)
{
    if (bitmap == nullptr)
        return;
    const float w = static_cast<float>(bitmap->GetWidth());
    const float h = static_cast<float>(bitmap->GetHeight());
    canvas.RenderTexture({displayPosition.x - w / 2, displayPosition.y - h / 2, w, h},
                         bitmap->GetName(), Color(1.0f, 1.0f, 1.0f, 1.0f));
}

} // namespace GAME
