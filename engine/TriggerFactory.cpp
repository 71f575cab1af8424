#include "engine/TriggerFactory.h"

#include "engine/TriggerAction.h"
#include "engine/TriggerCondition.h"

namespace GAME {

template <typename Product, typename Producer>
TriggerFactory<Product, Producer>& TriggerFactory<Product, Producer>::Get()
{
    static auto* const factory = new TriggerFactory;
    return *factory;
}

template class TriggerFactory<TriggerAction, TriggerActionProducer>;
template class TriggerFactory<TriggerCondition, TriggerConditionProducer>;

} // namespace GAME
