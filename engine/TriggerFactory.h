#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class TriggerAction;
class TriggerCondition;

class TriggerActionProducer {
public:
    virtual ~TriggerActionProducer() = default;
    // A new action with that id and no parent trigger.
    virtual std::unique_ptr<TriggerAction> Create(uint32_t id) = 0;
};

class TriggerConditionProducer {
public:
    virtual ~TriggerConditionProducer() = default;
    virtual std::unique_ptr<TriggerCondition> Create(uint32_t id) = 0;
};

// Class name to producer. Reached through `Get`, defined once in the engine so that every
// library and program shares one factory; it is made before the first static registrar runs and
// never destroyed, so registrars unregister safely whatever order statics go at exit.
template <typename Product, typename Producer> class TriggerFactory {
public:
    static TriggerFactory& Get();
    // A later producer of the same name replaces the earlier one.
    void Register(const std::string& className, Producer* producer)
    {
        if (producers.find(className) == producers.end())
            order.push_back(className);
        producers[className] = producer;
    }
    // Only while `producer` is still the registered one.
    void Unregister(const std::string& className, const Producer* producer)
    {
        auto found = producers.find(className);
        if (found != producers.end() && found->second == producer) {
            producers.erase(found);
            order.erase(std::find(order.begin(), order.end(), className));
        }
    }
    // The names in the order they were first registered.
    const std::vector<std::string>& GetRegisteredNames() const { return order; }
    // Null for a name nobody registered.
    std::unique_ptr<Product> Create(const std::string& className, uint32_t id) const
    {
        auto found = producers.find(className);
        return found != producers.end() ? found->second->Create(id) : nullptr;
    }

private:
    TriggerFactory() = default;
    std::map<std::string, Producer*> producers;
    std::vector<std::string> order;
};

using TriggerActionFactory = TriggerFactory<TriggerAction, TriggerActionProducer>;
using TriggerConditionFactory = TriggerFactory<TriggerCondition, TriggerConditionProducer>;
extern template class TriggerFactory<TriggerAction, TriggerActionProducer>;
extern template class TriggerFactory<TriggerCondition, TriggerConditionProducer>;

// A static registrar: `static TriggerActionProducerT<Action_X> producer("Action_X");`.
template <typename T, typename Product, typename Producer>
class TriggerProducerT : public Producer {
public:
    explicit TriggerProducerT(const char* className) : name(className)
    {
        TriggerFactory<Product, Producer>::Get().Register(name, this);
    }
    ~TriggerProducerT() override
    {
        TriggerFactory<Product, Producer>::Get().Unregister(name, this);
    }
    std::unique_ptr<Product> Create(uint32_t id) override
    {
        return std::make_unique<T>(id, nullptr);
    }

private:
    std::string name;
};

template <typename T>
using TriggerActionProducerT = TriggerProducerT<T, TriggerAction, TriggerActionProducer>;
template <typename T>
using TriggerConditionProducerT = TriggerProducerT<T, TriggerCondition, TriggerConditionProducer>;

} // namespace GAME
