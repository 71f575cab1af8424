#include "ai/Controller.h"

namespace GAME {

GAME_IMPLEMENT_ABSTRACT_CLASS(Controller, Object);

void Controller::AttachParent(uint32_t id)
{
    parentId = id;
    PostParentAttached();
}

} // namespace GAME
